#pragma once
// The part of a filter run's port that both programs answer alike: files are read whole and
// replaced safely, and "now" is the local clock. Each program adds its own way of talking to
// the person.

#include "filter/user_port.hpp"

namespace gpais {

class FilePort : public UserPort {
  public:
    LocalTime local_now() override;
    ReadResult read_file(std::string_view path) override;
    WriteResult write_file(std::string_view path, std::string_view bytes) override;
};

}  // namespace gpais
