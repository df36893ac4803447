// A fresh folder per test for file tests, removed again afterwards.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && folder_.empty(); ++attempt) {
            const std::filesystem::path folder =
                std::filesystem::temp_directory_path() / ("grimtally-" + std::to_string(random()));
            if (std::filesystem::create_directory(folder))
                folder_ = folder;
        }
        ASSERT_FALSE(folder_.empty());
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(folder_, ec);
    }
    std::filesystem::path path(const std::string& name) const { return folder_ / name; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};
