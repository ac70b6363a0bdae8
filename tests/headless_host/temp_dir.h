// A temporary directory for one test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/tolvane-headless-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    void write(const std::string& relative, const std::string& bytes,
               bool executable = false) const {
        const std::string file = *this / relative;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        if (executable) {
            ::chmod(file.c_str(), 0755);
        }
    }

    std::string read(const std::string& relative) const {
        std::ifstream in(*this / relative, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::string path_;
};
