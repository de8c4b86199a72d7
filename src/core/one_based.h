#pragma once
// A fixed array indexed from 1, as the machine numbers its reels, lines,
// cells and symbols.

#include <array>
#include <cassert>
#include <cstddef>

namespace velmoran {

template <class T, std::size_t N>
class OneBased {
public:
    constexpr T& operator[](std::size_t i) noexcept {
        assert(i >= 1 && i <= N);
        return data_[i - 1];
    }
    constexpr const T& operator[](std::size_t i) const noexcept {
        assert(i >= 1 && i <= N);
        return data_[i - 1];
    }
    static constexpr std::size_t size() noexcept { return N; }
    constexpr void fill(const T& v) { data_.fill(v); }
    constexpr auto begin() noexcept { return data_.begin(); }
    constexpr auto end() noexcept { return data_.end(); }
    constexpr auto begin() const noexcept { return data_.begin(); }
    constexpr auto end() const noexcept { return data_.end(); }
    friend constexpr bool operator==(const OneBased&, const OneBased&) = default;

private:
    std::array<T, N> data_{};
};

}  // namespace velmoran
