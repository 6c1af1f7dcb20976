// The program under test as a user starts it: a command line, a start folder, and an exit code
// at the end. A program that is still running when its owner goes away is terminated, so a
// failed scenario never leaves a dialog behind for the next one.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "base/unique_handle.hpp"

namespace gpais::e2e {

class Program {
  public:
    // command_tail is what follows the quoted program path on the command line, as typed. With
    // `output`, an inheritable handle, the program writes its standard output and error there
    // and gets no console window of its own.
    Program(const std::filesystem::path& exe, const std::wstring& command_tail,
            const std::filesystem::path& start_folder, HANDLE output = nullptr);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    HANDLE process() const noexcept { return process_.get(); }
    DWORD id() const noexcept { return id_; }
    bool running() const;
    DWORD wait_exit(std::chrono::milliseconds limit);

  private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Another program holding a file for a while (file_holder.cpp, built beside this driver), as a
// virus scanner or a sync client does: reading it without write or delete sharing, or without
// any sharing. Made once the file is held; the other program is ended with it.
class FileHolder {
  public:
    enum class Sharing { read, none };
    FileHolder(const std::filesystem::path& file, std::chrono::milliseconds held_for,
               Sharing shared);
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;
    ~FileHolder();

  private:
    Program program_;
};

}  // namespace gpais::e2e
