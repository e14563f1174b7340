#pragma once
// Splits a fuzzer's bytes into the typed values a target needs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Take() {
        T value{};
        const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    int TakeInRange(int low, int high) {
        const auto raw = Take<std::uint32_t>();
        return low + static_cast<int>(raw % static_cast<std::uint32_t>(high - low + 1));
    }
    std::string Rest() {
        std::string s(reinterpret_cast<const char*>(data_), size_);
        size_ = 0;
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// A failed property ends the run with a crash the fuzzer records.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) std::abort(); \
    } while (0)
