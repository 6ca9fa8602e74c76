#pragma once

#include <streambuf>

namespace orbelquint {

// A stream buffer that takes every byte and keeps none: for a build that is run only for what it
// reports.
class DiscardingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

}  // namespace orbelquint
