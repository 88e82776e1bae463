// SPDX-License-Identifier: GPL-3.0-or-later
// Scripts read from and written to streams: the simulator's standard input
// and output, and the tests'. Kept apart so that a program that never runs
// a script from a stream (the browser's) is built without the streams.
#include "host/Script.h"

#include <istream>
#include <ostream>

namespace host {

namespace {

// A stream's bytes, taken one at a time: what is not read stays in the
// stream for whoever reads it next.
class StreamInput final : public ScriptInput {
public:
    explicit StreamInput(std::istream& in) : in_(in), buffer_(in.rdbuf()) {}
    int Next() override {
        const int c = buffer_ == nullptr ? EOF : buffer_->sbumpc();
        if (c == EOF) {
            in_.setstate(std::ios::eofbit);
            return -1;
        }
        return c;
    }

private:
    std::istream& in_;
    std::streambuf* buffer_;
};

class StreamOutput final : public ScriptOutput {
public:
    explicit StreamOutput(std::ostream& out) : out_(out) {}
    bool Write(std::string_view text) override {
        out_ << text;
        return static_cast<bool>(out_);
    }
    bool Flush() override {
        out_.flush();
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
};

} // namespace

bool Script::Execute(const std::string& line, std::ostream& out) {
    std::string printed;
    try {
        const bool more = Execute(line, printed);
        out << printed;
        return more;
    } catch (...) {
        out << printed;
        throw;
    }
}

int Script::Run(std::istream& in, std::ostream& out, std::ostream& err, int firstLine) {
    StreamInput input(in);
    StreamOutput output(out);
    StreamOutput errors(err);
    return Run(input, output, errors, firstLine);
}

ScriptStart ReadScriptStart(std::istream& in) {
    StreamInput input(in);
    return ReadScriptStart(input);
}

} // namespace host
