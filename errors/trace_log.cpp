#include "errors/trace_log.hpp"

#include <string>

#include "errors/error_platform.hpp"

namespace gpais {

bool append_trace_line(const rt::List& values) {
    std::string line;
    rt::append_expression_text(line, rt::Value(values));
    line += "\r\n";
    return error_platform().append_to_file(log_path(trace_log_name), line, LogAccess::write_only);
}

}  // namespace gpais
