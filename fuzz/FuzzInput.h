// Splits fuzzer bytes into typed values and a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : p_(data), n_(size) {}
    template <class T>
    T Take()
    {
        T v{};
        if (n_ >= sizeof(T)) {
            std::memcpy(&v, p_, sizeof(T));
            p_ += sizeof(T);
            n_ -= sizeof(T);
        }
        return v;
    }
    std::string Rest() { return std::string(reinterpret_cast<const char*>(p_), n_); }

private:
    const uint8_t* p_;
    size_t n_;
};

#define FUZZ_CHECK(cond)                                                          \
    do {                                                                          \
        if (!(cond)) {                                                            \
            __builtin_fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            __builtin_trap();                                                     \
        }                                                                         \
    } while (0)
