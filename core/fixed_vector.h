#pragma once
// A vector that keeps its elements inside itself: at most N of them, never on the heap. What a
// reaction holds has limits (symbols in a formula, substances on a side, elements in a reaction),
// and sizing their containers by those limits keeps parsing and balancing off the heap. Only the
// elements in use are constructed, copied and destroyed, so a large N costs nothing but space.

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace tovel {

template <typename T, std::size_t N>
class FixedVector {
  public:
    using value_type = T;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    using reference = T&;
    using const_reference = const T&;
    using pointer = T*;
    using const_pointer = const T*;
    using iterator = T*;
    using const_iterator = const T*;

    FixedVector() noexcept {}
    FixedVector(std::initializer_list<T> items) : FixedVector(items.begin(), items.end()) {}
    explicit FixedVector(size_type count) { resize(count); }
    FixedVector(size_type count, const T& value) { resize(count, value); }
    template <std::input_iterator It>
    FixedVector(It first, It last) {
        for (; first != last; ++first)
            push_back(*first);
    }
    FixedVector(const FixedVector& other) : FixedVector(other.begin(), other.end()) {}
    FixedVector(FixedVector&& other) noexcept(std::is_nothrow_move_constructible_v<T>) {
        for (T& item : other)
            UncheckedEmplace(std::move(item));
    }
    ~FixedVector() { clear(); }

    // Element by element, so that the elements kept reuse what they hold (a string's buffer).
    FixedVector& operator=(const FixedVector& other) {
        if (this != &other) AssignFrom(other.begin(), other.size());
        return *this;
    }
    FixedVector& operator=(FixedVector&& other) noexcept(
        std::is_nothrow_move_assignable_v<T>&& std::is_nothrow_move_constructible_v<T>) {
        if (this != &other) AssignFrom(std::make_move_iterator(other.begin()), other.size());
        return *this;
    }

    static constexpr size_type capacity() noexcept { return N; }
    static constexpr size_type max_size() noexcept { return N; }
    size_type size() const noexcept { return m_size; }
    bool empty() const noexcept { return m_size == 0; }
    bool full() const noexcept { return m_size == N; }

    T* data() noexcept { return m_storage.items; }
    const T* data() const noexcept { return m_storage.items; }
    iterator begin() noexcept { return data(); }
    iterator end() noexcept { return data() + m_size; }
    const_iterator begin() const noexcept { return data(); }
    const_iterator end() const noexcept { return data() + m_size; }
    const_iterator cbegin() const noexcept { return begin(); }
    const_iterator cend() const noexcept { return end(); }

    T& operator[](size_type i) { return data()[i]; }
    const T& operator[](size_type i) const { return data()[i]; }
    T& front() { return data()[0]; }
    const T& front() const { return data()[0]; }
    T& back() { return data()[m_size - 1]; }
    const T& back() const { return data()[m_size - 1]; }

    // Adding to a full vector throws std::length_error: callers check the limit first, so that
    // would be a fault, never silently a lost element.
    void push_back(const T& value) { emplace_back(value); }
    void push_back(T&& value) { emplace_back(std::move(value)); }
    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (full()) throw std::length_error("FixedVector is full");
        return UncheckedEmplace(std::forward<Args>(args)...);
    }
    void pop_back() { std::destroy_at(data() + --m_size); }

    void clear() noexcept {
        std::destroy(begin(), end());
        m_size = 0;
    }
    void resize(size_type count) {
        ResizeWith(count, [this] { UncheckedEmplace(); });
    }
    void resize(size_type count, const T& value) {
        ResizeWith(count, [this, &value] { UncheckedEmplace(value); });
    }

    iterator insert(const_iterator pos, const T& value) {
        const auto at = static_cast<size_type>(pos - begin());
        emplace_back(value);
        std::rotate(begin() + at, end() - 1, end());
        return begin() + at;
    }
    iterator erase(const_iterator pos) {
        const auto at = static_cast<size_type>(pos - begin());
        std::move(begin() + at + 1, end(), begin() + at);
        pop_back();
        return begin() + at;
    }

    friend bool operator==(const FixedVector& a, const FixedVector& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

  private:
    template <typename... Args>
    T& UncheckedEmplace(Args&&... args) {
        T* item = std::construct_at(data() + m_size, std::forward<Args>(args)...);
        ++m_size;
        return *item;
    }

    template <typename It>
    void AssignFrom(It first, size_type count) {
        const size_type kept = std::min(count, m_size);
        std::copy_n(first, kept, begin());
        while (m_size > count)
            pop_back();
        std::advance(first, kept);
        for (size_type i = kept; i < count; ++i, ++first)
            UncheckedEmplace(*first);
    }

    template <typename Construct>
    void ResizeWith(size_type count, Construct construct) {
        if (count > N) throw std::length_error("FixedVector is full");
        while (m_size > count)
            pop_back();
        while (m_size < count)
            construct();
    }

    // A union leaves the items unconstructed until they are added.
    union Storage {
        Storage() noexcept {}
        ~Storage() {}
        T items[N];
    };
    Storage m_storage;
    size_type m_size = 0;
};

}  // namespace tovel
