#pragma once

// Standard input and output straight over their file descriptors. C's streams take a
// failed read for the end of the input, and by the time a failed write shows, errno
// may tell of some later call: here the failing call throws std::ios_base::failure
// with its own errno, which a stream with badbit among its exceptions passes on.

#include <array>
#include <streambuf>

namespace fh::cli {

class DescriptorBuf : public std::streambuf {
public:
    explicit DescriptorBuf(int fd);
    DescriptorBuf(const DescriptorBuf&) = delete;
    DescriptorBuf& operator=(const DescriptorBuf&) = delete;

protected:
    int_type underflow() override;
    int_type overflow(int_type c) override;
    int sync() override;

private:
    int fd;
    // Left unfilled: only what is read or written into it is ever read, and a filled
    // one would touch all sixteen of its pages for a command that writes a line.
    std::array<char, 65536> buffer;
};

} // namespace fh::cli
