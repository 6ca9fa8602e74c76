#pragma once

#include <cstddef>
#include <streambuf>
#include <string>
#include <utility>

namespace orbelquint {

// A stream buffer that keeps what is written in memory up to `limit` bytes and refuses the rest,
// so that a page held in memory stays bounded whatever the data file holds.
class BoundedBuffer : public std::streambuf {
  public:
    // The room is taken at once, so that the bytes are never copied to a larger block (which would
    // hold up to twice the limit for a moment); the system gives it memory only as it is written.
    explicit BoundedBuffer(std::size_t limit) : limit_(limit) { bytes_.reserve(limit); }

    // What was kept, handed over.
    std::string TakeBytes() { return std::move(bytes_); }
    // True when more was written than the limit allows.
    bool Overflowed() const { return overflowed_; }

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        if (static_cast<std::size_t>(count) > limit_ - bytes_.size()) {
            overflowed_ = true;
            return 0;
        }
        bytes_.append(text, static_cast<std::size_t>(count));
        return count;
    }

  private:
    std::size_t limit_;
    std::string bytes_;
    bool overflowed_ = false;
};

}  // namespace orbelquint
