// The folder of the user's own that a start from the desktop's menu works in: the shipped set
// that fits the user's language, and the folder made ready (created, seeded once, writable).
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

namespace grimtally {

// The files a working folder starts with, as the program ships them.
inline constexpr std::array<std::string_view, 3> kShippedFiles{"Language.txt", "Choices.txt",
                                                               "Sample.txt"};

// Whether a locale or language name ("ja_JP.UTF-8", "ja-JP", "ja", "en_GB") is Japanese.
bool isJapaneseLocale(std::string_view locale);

// The shipped set for a locale or language name: the Japanese one in ja/ below `sharedData` for a
// Japanese name, the English one in `sharedData` itself for any other, the empty name included.
std::filesystem::path shippedSetFor(const std::filesystem::path& sharedData,
                                    std::string_view locale);

// Makes `folder` ready to work in. Creates it, and its parents, when missing; makes sure it can
// be written; and when it holds none of the shipped files, copies them from `shippedSet`, all
// of them or, when a copy fails, none. A file already in the folder is never written over, so
// a folder that was started in once keeps what the user made of it. Returns true when it
// copied the set. Throws FileError with the folder or file and the system's reason when the
// folder cannot be created or written or a shipped file cannot be copied.
bool prepareWorkFolder(const std::filesystem::path& folder,
                       const std::filesystem::path& shippedSet);

} // namespace grimtally
