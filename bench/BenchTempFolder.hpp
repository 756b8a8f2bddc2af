#pragma once
// A fresh temporary folder for one benchmark run, removed with everything in
// it at the end.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

class BenchTempFolder {
public:
    explicit BenchTempFolder(const std::string& prefix) {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~BenchTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchTempFolder(const BenchTempFolder&) = delete;
    BenchTempFolder& operator=(const BenchTempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
