#include "core/default_data.h"

#include <charconv>

namespace tovel {

std::uint64_t Fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

DefaultUpdate DecideDefaultUpdate(std::optional<std::uint64_t> user,
                                  std::optional<std::uint64_t> recorded, std::uint64_t shipped) {
    if (!user) return DefaultUpdate::Copy;
    if (*user == shipped) return DefaultUpdate::Record;
    // Without a record (a folder seeded before records were kept) a difference may be the
    // user's work: it is kept.
    if (recorded && *user == *recorded) return DefaultUpdate::Replace;
    return DefaultUpdate::Keep;
}

DefaultsRecord ParseDefaultsRecord(std::string_view text) {
    DefaultsRecord record;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() < 18 || line[16] != ' ') continue;
        std::uint64_t value = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + 16, value, 16);
        if (ec != std::errc() || ptr != line.data() + 16) continue;
        const std::string_view name = line.substr(17);
        if (name.find('\r') != std::string_view::npos) continue;
        record[std::string(name)] = value;
    }
    return record;
}

std::string FormatDefaultsRecord(const DefaultsRecord& record) {
    std::string text;
    for (const auto& [name, value] : record) {
        char digits[17] = {};
        const auto [ptr, ec] = std::to_chars(digits, digits + 16, value, 16);
        const std::string hex(digits, ptr);
        text.append(16 - hex.size(), '0');
        text += hex;
        text += ' ';
        text += name;
        text += '\n';
    }
    return text;
}

}  // namespace tovel
