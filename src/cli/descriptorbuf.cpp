#include "cli/descriptorbuf.h"

#include <cerrno>
#include <ios>
#include <system_error>

#include <unistd.h>

namespace fh::cli {

namespace {
[[noreturn]] void fail(int error)
{
    throw std::ios_base::failure("standard stream", std::error_code(error, std::generic_category()));
}
} // namespace

DescriptorBuf::DescriptorBuf(int descriptor) : fd(descriptor)
{
    setp(buffer.data(), buffer.data() + buffer.size());
}

DescriptorBuf::int_type DescriptorBuf::underflow()
{
    ssize_t got = 0;
    do
        got = ::read(fd, buffer.data(), buffer.size());
    while (got < 0 && errno == EINTR);
    if (got < 0)
        fail(errno);
    if (got == 0)
        return traits_type::eof();
    setg(buffer.data(), buffer.data(), buffer.data() + got);
    return traits_type::to_int_type(buffer[0]);
}

DescriptorBuf::int_type DescriptorBuf::overflow(int_type c)
{
    sync();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorBuf::sync()
{
    const char* at = pbase();
    while (at < pptr()) {
        const ssize_t written = ::write(fd, at, static_cast<std::size_t>(pptr() - at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : EIO);
        at += written;
    }
    setp(buffer.data(), buffer.data() + buffer.size());
    return 0;
}

} // namespace fh::cli
