#include "rt/call_levels.hpp"

#include <algorithm>

namespace gpais::rt {

namespace {

// Trivially destructible, so a push touches no lazy-initialised thread storage.
thread_local Frame* innermost = nullptr;
thread_local std::uint64_t next_serial = 0;

struct UnwoundLevels {
    bool valid = false;
    std::vector<Level> levels;
    std::vector<std::uint64_t> serials;  // of the live frames the levels were read from
};
thread_local UnwoundLevels unwound;

// A slot for a local not registered yet has no reader and leaves the value NIL.
bool read_into(const VarRef& ref, Value& out, Reading reading) {
    return ref.read == nullptr || ref.read(ref.address, out, reading);
}

// A level read earlier, its texts borrowed from it rather than copied again.
Level borrowed(const Level& level) {
    const auto borrow = [](const Value& value) {
        const auto* text = value.get_if<std::string>();
        return text != nullptr ? Value(TextRef{*text}) : value;
    };
    Level copy{level.name, level.line, {}, {}};
    copy.args.reserve(level.args.size());
    for (const Value& value : level.args)
        copy.args.push_back(borrow(value));
    copy.locals.reserve(level.locals.size());
    for (const Value& value : level.locals)
        copy.locals.push_back(borrow(value));
    return copy;
}

Level read_level(const Frame& frame, Reading reading) {
    Level level;
    level.name = std::string(frame.name);
    level.line = frame.line;
    List missing;
    for (std::size_t i = 0; i < frame.arg_count; ++i) {
        Value value;
        if (read_into(frame.args[i], value, reading)) {
            level.args.push_back(std::move(value));
        } else {
            missing.emplace_back();
        }
    }
    level.locals = std::move(missing);
    for (std::size_t i = 0; i < frame.local_count; ++i) {
        Value value;
        (void)read_into(frame.locals[i], value, reading);
        level.locals.push_back(std::move(value));
    }
    return level;
}

// With `handler_run_skipped`, the levels marked as the handler's are passed over, unread, until
// the first that is not.
void append_levels(std::vector<Level>& out, const Frame* frame, Reading reading = Reading::copy,
                   bool handler_run_skipped = false) {
    for (; frame != nullptr; frame = frame->outer) {
        handler_run_skipped = handler_run_skipped && frame->handler;
        if (!frame->hidden && !handler_run_skipped)
            out.push_back(read_level(*frame, reading));
        if (frame->outer_levels != nullptr) {
            for (const Level& level : *frame->outer_levels)
                out.push_back(reading == Reading::borrow_texts ? borrowed(level) : level);
            return;
        }
    }
}

// Runs in a destructor while an exception unwinds: the innermost of our levels to go takes the
// picture, the levels outside it find themselves in it and leave it alone.
void note_unwinding(const Frame& frame) noexcept {
    if (unwound.valid && std::find(unwound.serials.begin(), unwound.serials.end(), frame.serial) !=
                             unwound.serials.end()) {
        return;
    }
    try {
        UnwoundLevels taken;
        append_levels(taken.levels, &frame);
        for (const Frame* f = &frame; f != nullptr; f = f->outer)
            taken.serials.push_back(f->serial);
        taken.valid = true;
        unwound = std::move(taken);
    } catch (...) {
        // Out of memory while unwinding: the report falls back to the live levels.
        unwound.valid = false;
    }
}

}  // namespace

void push_frame(Frame& frame) noexcept {
    frame.outer = innermost;
    frame.serial = ++next_serial;
    frame.exceptions_at_entry = std::uncaught_exceptions();
    innermost = &frame;
}

void pop_frame(Frame& frame) noexcept {
    const int in_flight = std::uncaught_exceptions();
    if (in_flight > frame.exceptions_at_entry) {
        note_unwinding(frame);
    } else if (in_flight == 0 && unwound.valid) {
        // A normal return: any exception seen before was caught by our own code. Its picture
        // may hold whole documents, so it is let go at once.
        unwound = UnwoundLevels{};
    }
    innermost = frame.outer;
}

LocalSlot::~LocalSlot() {
    if (slot_ == nullptr)
        return;
    if (std::uncaught_exceptions() > exceptions_at_entry_)
        note_unwinding(frame_);
    *slot_ = VarRef{};
}

std::vector<Level> current_levels() {
    std::vector<Level> levels;
    append_levels(levels, innermost);
    return levels;
}

std::vector<Level> failure_levels(Reading reading) {
    std::vector<Level> levels;
    append_levels(levels, innermost, reading, true);
    return levels;
}

std::optional<std::vector<Level>> take_unwound_levels() noexcept {
    if (!unwound.valid)
        return std::nullopt;
    unwound.valid = false;
    return std::optional<std::vector<Level>>(std::move(unwound.levels));
}

Frame* innermost_frame() noexcept {
    return innermost;
}

void adopt_frames(Frame* frame) noexcept {
    innermost = frame;
}

}  // namespace gpais::rt
