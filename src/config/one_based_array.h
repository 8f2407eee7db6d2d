#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace kdx {

// A fixed array numbered 1 to N, as the file format and the window number their
// settings, lines and slots. Indexing outside 1..N throws std::out_of_range.
template <typename T, int N>
class OneBasedArray {
public:
    static constexpr int size() { return N; }

    T &operator[](int index) { return items_[checked(index)]; }
    const T &operator[](int index) const { return items_[checked(index)]; }

    bool operator==(const OneBasedArray &) const = default;

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static std::size_t checked(int index)
    {
        if (index < 1 || index > N)
            throw std::out_of_range("index " + std::to_string(index) + " outside 1.." + std::to_string(N));
        return static_cast<std::size_t>(index - 1);
    }

    std::array<T, N> items_{};
};

} // namespace kdx
