#include "app/VersionBlock.h"

#include <cstring>

namespace {

constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;

// One node: WORD length, WORD value length, WORD type (1: text), the key, the value and the
// children, each aligned to four bytes from the start of the block.
struct Node {
    const unsigned char* Start;
    size_t Length;
    size_t ValueLength;
    bool IsText;
    Text Key;
    size_t ValueOffset;
    size_t ChildrenOffset;
};

size_t Align(size_t offset) { return (offset + 3) & ~size_t{3}; }

uint16_t Word(const unsigned char* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

std::optional<Node> ReadNode(const unsigned char* start, size_t available)
{
    if (available < 6)
        return std::nullopt;
    Node node{start, Word(start), Word(start + 2), Word(start + 4) == 1, {}, 0, 0};
    if (node.Length < 6 || node.Length > available)
        return std::nullopt;
    size_t at = 6;
    for (;; at += 2) {
        if (at + 2 > node.Length)
            return std::nullopt;
        const char16_t c = static_cast<char16_t>(Word(start + at));
        if (c == 0)
            break;
        node.Key += c;
    }
    node.ValueOffset = Align(at + 2);
    const size_t valueBytes = node.IsText ? node.ValueLength * 2 : node.ValueLength;
    node.ChildrenOffset = Align(node.ValueOffset + valueBytes);
    if (node.ValueOffset + valueBytes > node.Length)
        return std::nullopt;
    return node;
}

template <typename Visit> bool ForEachChild(const Node& parent, Visit visit)
{
    for (size_t at = parent.ChildrenOffset; at < parent.Length; at = Align(at)) {
        const std::optional<Node> child = ReadNode(parent.Start + at, parent.Length - at);
        if (!child || !visit(*child))
            return false;
        at += child->Length;
    }
    return true;
}

Text TextValue(const Node& node)
{
    Text value;
    for (size_t i = 0; i < node.ValueLength; ++i) {
        const char16_t c = static_cast<char16_t>(Word(node.Start + node.ValueOffset + 2 * i));
        if (c == 0)
            break;
        value += c;
    }
    return value;
}

} // namespace

Text VersionFacts::Value(TextView key) const
{
    for (const auto& [name, value] : Strings) {
        if (name == key)
            return value;
    }
    return {};
}

std::optional<VersionFacts> ReadVersionBlock(const unsigned char* data, size_t size)
{
    const std::optional<Node> root = ReadNode(data, size);
    if (!root || root->Key != u"VS_VERSION_INFO" || root->ValueLength < 16)
        return std::nullopt;
    uint32_t fixed[4];
    std::memcpy(fixed, data + root->ValueOffset, sizeof(fixed));
    if (fixed[0] != kFixedInfoSignature)
        return std::nullopt;
    VersionFacts facts;
    facts.FileVersion = {static_cast<uint16_t>(fixed[2] >> 16), static_cast<uint16_t>(fixed[2]),
                         static_cast<uint16_t>(fixed[3] >> 16), static_cast<uint16_t>(fixed[3])};
    const bool wellFormed = ForEachChild(*root, [&](const Node& child) {
        if (child.Key != u"StringFileInfo")
            return true;
        return ForEachChild(child, [&](const Node& table) {
            return ForEachChild(table, [&](const Node& string) {
                facts.Strings.emplace_back(string.Key, TextValue(string));
                return true;
            });
        });
    });
    if (!wellFormed)
        return std::nullopt;
    return facts;
}
