// The fixture of the saving tests: a fresh folder, files put into it, and what it holds.
#pragma once

#include "tests/core/text/tempfolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class SaveFile : public TempFolder {
protected:
    void put(const std::filesystem::path& file, const std::string& bytes)
    {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
    std::vector<std::string> folderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};
