#include "app/ProgramInfo.h"

#include <windows.h>

#include <string>

#include "app/VersionBlock.h"
#include "forms/Window.h"
#include "platform/Module.h"

Text ProgramInfoText()
{
    HRSRC resource = FindResourceW(ProgramInstance(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    const auto* data = resource ? static_cast<const unsigned char*>(LockResource(LoadResource(ProgramInstance(), resource)))
                                : nullptr;
    const std::optional<VersionFacts> facts =
        data ? ReadVersionBlock(data, SizeofResource(ProgramInstance(), resource)) : std::nullopt;
    if (!facts)
        return u"Dide Quorvel";
    Text version;
    for (uint16_t part : facts->FileVersion) {
        const std::string digits = std::to_string(part);
        version += (version.empty() ? u"" : u".") + Text(digits.begin(), digits.end());
    }
    return facts->Value(u"InternalName") + u"\r\nVersione " + version + u"\r\n" + facts->Value(u"LegalCopyright");
}
