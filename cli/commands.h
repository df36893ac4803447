// The companion's commands over the core, free of argument parsing: each takes what the
// command line gave, writes its report, and returns the exit status.
#pragma once

#include "core/check/filecheck.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace grimtally::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1; // check found problems; a read file had refused lines
inline constexpr int kExitUsage = 2;    // the command line is wrong
inline constexpr int kExitFailure = 3;  // a file could not be read, written or understood

// Where output goes: a file written whole (atomically), or standard output when empty.
struct Output {
    std::filesystem::path file;
};

// Messages for the user (progress, warnings, errors) go to `log`; results to the output.
struct Context {
    std::ostream& out; // standard output
    std::ostream& log; // standard error
};

int check(Context& context, const std::vector<std::filesystem::path>& files,
          std::optional<FileKind> kind);

enum class Format { Json, Csv, Markdown, Html };
struct ExportOptions {
    Format format = Format::Json;
    std::filesystem::path languageFile; // empty: the built-in English words
    int perPage = 0;                    // html: blocks to a printed page (0, 1 or 2)
    bool byteOrderMark = false;         // csv
};
int exportFile(Context& context, const std::filesystem::path& file, const Output& output,
               const ExportOptions& options);

// With `merge`, the records follow those the output file holds already.
int importFile(Context& context, const std::filesystem::path& json,
               const std::filesystem::path& output, bool merge);

int stats(Context& context, const std::filesystem::path& file);

struct GenerateOptions {
    long long count = 0;
    std::filesystem::path choices;
    std::filesystem::path settings; // empty: the dialog's defaults
    std::optional<std::uint64_t> seed;
    std::filesystem::path languageFile; // the none word of the optional lists; default "----"
    std::string name;                   // UTF-8; enemies are named "<name> 1", "<name> 2", ...
};
int generate(Context& context, const GenerateOptions& options, const std::filesystem::path& output);

} // namespace grimtally::cli
