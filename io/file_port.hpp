#pragma once
// The machine as both programs meet it in a filter run: files are read whole and replaced
// safely, and "now" is the local clock.

#include "filter/ports.hpp"

namespace gpais {

class FilePort final : public MachinePort {
  public:
    LocalTime local_time() override;
    FileResult<std::string> read_file(std::string_view path) override;
    FileResult<void> write_file(std::string_view path, std::string_view bytes) override;
};

}  // namespace gpais
