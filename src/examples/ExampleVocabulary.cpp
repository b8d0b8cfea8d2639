#include "examples/ExampleVocabulary.h"

namespace {

constexpr TextView kUccelli[] = {
    u"blackbird", u"blue jay", u"bluebird", u"bobwhite", u"budgie", u"bunting", u"canary", u"cardinal",
    u"catbird", u"chick", u"chickadee", u"chicken", u"coot", u"cowbird", u"crane", u"crow", u"dove", u"duck",
    u"eagle", u"falcon", u"finch", u"flamingo", u"flicker", u"flycatcher", u"goldfinch", u"goose", u"grackle",
    u"grebe", u"grosbeak", u"grouse", u"gull", u"hawk", u"heron", u"hummingbird", u"jay", u"junco",
    u"kestrel", u"killdeer", u"kingbird", u"kingfisher", u"kinglet", u"kookaburra", u"lark", u"loon",
    u"macaw", u"magpie", u"mallard", u"martin", u"meadowlark", u"mockingbird", u"mynah", u"nightingale",
    u"nuthatch", u"oriole", u"osprey", u"ovenbird", u"owl", u"parrot", u"parula", u"peacock", u"pheasant",
    u"pigeon", u"pipit", u"quail", u"raven", u"redstart", u"robin", u"rooster", u"sandpiper", u"sapsucker",
    u"seagull", u"shrike", u"siskin", u"skua", u"skylark", u"snipe", u"sparrow", u"starling", u"swallow",
    u"swan", u"swift", u"tanager", u"tern", u"thrasher", u"thrush", u"towhee", u"turkey", u"vireo",
    u"vulture", u"warbler", u"waxwing", u"whippoorwill", u"woodpecker", u"wren ",
};

constexpr TextView kAnimali[] = {
    u"alligator", u"baboon", u"bat", u"bear", u"boar", u"buffalo", u"calf", u"camel", u"cat", u"cheetah",
    u"chimpanzee", u"chinchilla", u"chipmunk", u"cougar", u"cow", u"coyote", u"crocodile", u"deer",
    u"dinosaur", u"dog", u"dolphin", u"donkey", u"elephant", u"elk", u"ferret", u"fox", u"frog", u"gibbon",
    u"goat", u"gorilla", u"guinea pig", u"hippo", u"horse", u"hyena", u"jaguar", u"kitten", u"lamb", u"lemur",
    u"leopard", u"lion", u"llama", u"lynx", u"marmot", u"monkey", u"mouse", u"orca", u"panda", u"panther",
    u"pig", u"prairie dog", u"puppy", u"raccoon", u"rat", u"rattlesnake", u"rhinoceros", u"sea lion", u"seal",
    u"sheep", u"snake", u"squirrel", u"tiger", u"toad", u"whale", u"wolf", u"zebra",
};

constexpr TextView kFeste[] = {
    u"Halloween creak", u"evil laugh", u"ghost", u"howl", u"monster", u"scream", u"witch ", u"fireworks",
    u"party horn", u"pop cork",
};

constexpr TextView kFamiglia[] = {
    u"blender", u"blinds", u"boiling", u"bottle", u"bubbles", u"can", u"chair", u"clock", u"coffee", u"cork",
    u"crystal", u"cuckoo clock", u"dishes", u"door", u"door bell", u"door knob", u"door slam", u"drain",
    u"drawer", u"drip", u"dryer", u"fan", u"fire extinguisher", u"gate", u"ice cubes", u"kettle", u"keys",
    u"latch", u"lighter", u"lock", u"match", u"oven", u"phone", u"pot", u"pour liquid", u"razor", u"scissors",
    u"shower", u"soda", u"spray", u"switch", u"tape", u"timer", u"toaster", u"toothbrush", u"toy", u"trash",
    u"vacuum cleaner", u"velcro", u"washing machine", u"window", u"zipper",
};

constexpr TextView kInsetti[] = {
    u"bee", u"cicada", u"cricket", u"fly", u"katydid", u"mosquito", u"wasp ",
};

constexpr TextView kGuerra[] = {
    u"arrow", u"artillery", u"attack", u"battle", u"bomb", u"bullet", u"broken glass", u"cannon", u"chains",
    u"crash", u"explosion", u"fight", u"fireball", u"grenade", u"gun", u"handcuff", u"knife", u"laser",
    u"machine gun", u"missile", u"mortar", u"musket", u"phaser", u"pistol", u"punch", u"ricochet", u"rifle",
    u"rocket", u"shotgun", u"silencer", u"slap", u"sword", u"torpedo", u"whip ",
};

constexpr TextView kVarie[] = {
    u"beep", u"button", u"buzz", u"cartoon noises", u"chirp", u"clap", u"click", u"creak", u"crunch", u"cut",
    u"electric current", u"electric sparks", u"fall", u"fanfare", u"flap", u"growl", u"hiss", u"howl",
    u"knock", u"leak", u"metal", u"Morse code", u"noise", u"pop", u"rattle", u"ring", u"rip", u"roar",
    u"robot", u"scrape", u"scratch", u"screech", u"skid", u"snap", u"snip", u"splash", u"splat", u"spring",
    u"squeak", u"squeal", u"static", u"steam", u"stone", u"swing", u"tear", u"thud", u"underwater", u"wood ",
};

constexpr TextView kStrumentiMusicali[] = {
    u"agogo", u"banjo", u"bass drum", u"bassoon", u"bongos", u"brass", u"cabasa", u"castanets", u"cello",
    u"clarinet", u"claves", u"congas", u"cowbell", u"cuica", u"cymbal", u"didgeridoo", u"drum loop",
    u"drum rimshot", u"drum roll", u"drum solo", u"drumsticks", u"flute", u"gong", u"guiro", u"guitar",
    u"harmonica", u"harp", u"harpsichord", u"high hat", u"jaw harp", u"maracas", u"marimba", u"metronome",
    u"oboe", u"orchestra", u"organ", u"percussion", u"piano", u"saxophone", u"shaker", u"sitar",
    u"snare drum", u"synthesizer", u"tabla", u"tambourine", u"timbales", u"tom tom", u"triangle", u"trombone",
    u"trumpet", u"tuning fork", u"tympani", u"vibraphone", u"violin", u"woodblock", u"xylophone ",
};

constexpr TextView kNatura[] = {
    u"cave", u"earthquake", u"fire", u"forest", u"geyser", u"jungle", u"lava", u"lightning", u"ocean",
    u"rain", u"storm", u"stream", u"surf", u"swamp", u"thunder", u"tornado", u"water", u"waterfall", u"wind ",
};

constexpr TextView kRumori[] = {
    u"alarm", u"beeper", u"bell", u"buzzer", u"chime", u"foghorn", u"horn", u"siren", u"slide whistle",
    u"sonar", u"whistle ",
};

constexpr TextView kUfficio[] = {
    u"briefcase", u"cash register", u"coins", u"computer keyboard", u"computer printer", u"elevator", u"fax",
    u"file cabinet", u"modem", u"mouse click", u"pager", u"paper", u"pencil sharpener", u"phone",
    u"projector", u"stapler", u"teletype", u"typewriter ",
};

constexpr TextView kPersoneSport[] = {
    u"applause", u"baby", u"bite", u"boo", u"breath", u"burp", u"cheer", u"chew", u"chomp", u"cough",
    u"crowd", u"cry", u"drink", u"eat", u"fart", u"footsteps", u"gargle", u"gasp", u"giggle", u"groan",
    u"grunt", u"gulp", u"heartbeat", u"hiccup", u"kiss", u"laugh", u"moan", u"scream", u"shiver", u"sigh",
    u"slurp", u"sneeze", u"snicker", u"sniff", u"snore", u"write", u"yawn", u"yell ", u"baseball",
    u"basketball", u"billiards", u"bowling", u"camera", u"cards", u"dice", u"dominos", u"fishing", u"golf",
    u"karate", u"Pac-Man", u"pinball", u"ping pong", u"scuba", u"slot machine", u"tap dance", u"tennis ",
};

constexpr TextView kAttrezzi[] = {
    u"axe", u"broom", u"chain saw", u"construction", u"drill", u"factory", u"Geiger counter", u"generator",
    u"grinder", u"hammer", u"jackhammer", u"lawnmower", u"machinery", u"nail", u"planer", u"pump", u"ratchet",
    u"saw", u"shovel", u"toolbox", u"torch", u"turbine", u"wrench ",
};

constexpr TextView kTV[] = {
    u"Ned Quillby", u"Beavis and Butthead", u"Bewitched", u"Bionic Man", u"Daffy Duck", u"Flintstones",
    u"Elmer Fudd", u"Godzilla", u"Jetsons", u"Jurassic Park", u"Psycho", u"Monty Python", u"Roadrunner",
    u"Scooby Doo", u"Simpsons", u"Star Trek", u"Star Wars", u"Tarzan", u"Taz", u"Three Stooges", u"Tigger",
    u"Ace Ventura", u"Woody Woodpecker", u"Xena ",
};

constexpr TextView kVeicoli[] = {
    u"airplane", u"ambulance", u"bicycle", u"boat", u"brakes", u"bus", u"car", u"car door", u"collision",
    u"dragster", u"engine", u"Ferrari", u"ferry", u"helicopter", u"jet", u"motor", u"motorcycle",
    u"police car", u"Porsche", u"race car", u"ship", u"submarine", u"subway", u"tank", u"tires", u"tractor",
    u"traffic", u"train", u"trolley", u"truck", u"windshield ",
};

} // namespace

const std::array<ExampleCategory, 15> ExampleVocabulary = {{
    {u"Uccelli", kUccelli},
    {u"Animali", kAnimali},
    {u"Feste", kFeste},
    {u"Famiglia", kFamiglia},
    {u"Insetti", kInsetti},
    {u"Guerra", kGuerra},
    {u"Varie", kVarie},
    {u"Strumenti musicali", kStrumentiMusicali},
    {u"Natura", kNatura},
    {u"Rumori", kRumori},
    {u"Ufficio", kUfficio},
    {u"Persone/Sport", kPersoneSport},
    {u"Attrezzi", kAttrezzi},
    {u"TV", kTV},
    {u"Veicoli", kVeicoli},
}};

std::span<const TextView> ExampleWords(TextView categoryName)
{
    for (const ExampleCategory& category : ExampleVocabulary) {
        if (category.Name == categoryName)
            return category.Words;
    }
    return {};
}
