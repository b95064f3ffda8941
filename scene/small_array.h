// A dynamic array that keeps up to N elements inside itself.
//
// Faces hold a handful of indices, edge flags and corner records, and every
// corner holds a short list of face numbers; a heap block for each of them
// would cost millions of allocations on a big mesh. The header is two 32-bit
// counts plus a union of the inline buffer and the heap pointer, so an array of
// four ints takes 24 bytes (a std::vector alone takes 24 before its block).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

template <typename T, std::uint32_t N>
class SmallArray {
    static_assert(N > 0, "use std::vector for arrays without an inline buffer");

public:
    using value_type = T;
    using size_type = std::size_t;
    using iterator = T*;
    using const_iterator = const T*;

    SmallArray() noexcept = default;
    SmallArray(std::initializer_list<T> values) { assign(values.begin(), values.end()); }
    explicit SmallArray(size_type count, const T& value = T()) { resize(count, value); }
    SmallArray(const SmallArray& other) { assign(other.begin(), other.end()); }
    SmallArray(SmallArray&& other) noexcept { take(std::move(other)); }
    ~SmallArray() { release(); }

    SmallArray& operator=(const SmallArray& other) {
        if (this != &other) {
            assign(other.begin(), other.end());
        }
        return *this;
    }
    SmallArray& operator=(SmallArray&& other) noexcept {
        if (this != &other) {
            release();
            take(std::move(other));
        }
        return *this;
    }

    T* data() noexcept { return onHeap() ? heap_ : inlineData(); }
    const T* data() const noexcept { return onHeap() ? heap_ : inlineData(); }
    size_type size() const noexcept { return size_; }
    size_type capacity() const noexcept { return capacity_; }
    bool empty() const noexcept { return size_ == 0; }

    iterator begin() noexcept { return data(); }
    iterator end() noexcept { return data() + size_; }
    const_iterator begin() const noexcept { return data(); }
    const_iterator end() const noexcept { return data() + size_; }

    T& operator[](size_type i) noexcept {
        assert(i < size_);
        return data()[i];
    }
    const T& operator[](size_type i) const noexcept {
        assert(i < size_);
        return data()[i];
    }
    T& front() noexcept { return (*this)[0]; }
    T& back() noexcept { return (*this)[size_ - 1]; }
    const T& front() const noexcept { return (*this)[0]; }
    const T& back() const noexcept { return (*this)[size_ - 1]; }

    void reserve(size_type wanted) {
        if (wanted > capacity_) {
            reallocate(wanted);
        }
    }

    void clear() noexcept {
        std::destroy_n(data(), size_);
        size_ = 0;
    }

    void push_back(const T& value) { emplace_back(value); }
    void push_back(T&& value) { emplace_back(std::move(value)); }

    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (size_ == capacity_) {
            // The argument may live inside this array: build it before moving house.
            T value(std::forward<Args>(args)...);
            reallocate(grownCapacity(size_ + 1));
            return *new (data() + size_++) T(std::move(value));
        }
        return *new (data() + size_++) T(std::forward<Args>(args)...);
    }

    void pop_back() noexcept {
        assert(size_ > 0);
        std::destroy_at(data() + --size_);
    }

    void resize(size_type count) {
        resizeWith(count, [](T* p) { new (p) T(); });
    }
    void resize(size_type count, const T& value) {
        resizeWith(count, [&value](T* p) { new (p) T(value); });
    }

    template <typename It>
    void assign(It first, It last) {
        clear();
        reserve(static_cast<size_type>(std::distance(first, last)));
        for (; first != last; ++first) {
            new (data() + size_) T(*first);
            ++size_;
        }
    }

    friend bool operator==(const SmallArray& a, const SmallArray& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    bool onHeap() const noexcept { return capacity_ > N; }
    T* inlineData() noexcept { return std::launder(reinterpret_cast<T*>(inline_)); }
    const T* inlineData() const noexcept {
        return std::launder(reinterpret_cast<const T*>(inline_));
    }

    static size_type grownCapacity(size_type needed) {
        return std::max<size_type>(needed, size_type{2} * N);
    }

    template <typename Construct>
    void resizeWith(size_type count, Construct construct) {
        if (count < size_) {
            std::destroy(data() + count, data() + size_);
            size_ = static_cast<std::uint32_t>(count);
            return;
        }
        reserve(count);
        while (size_ < count) {
            construct(data() + size_);
            ++size_;
        }
    }

    void reallocate(size_type wanted) {
        if (wanted > UINT32_MAX) {
            throw std::length_error("SmallArray: too many elements");
        }
        T* fresh =
            static_cast<T*>(::operator new (wanted * sizeof(T), std::align_val_t{alignof(T)}));
        T* old = data();
        std::uninitialized_move_n(old, size_, fresh);
        std::destroy_n(old, size_);
        if (onHeap()) {
            ::operator delete (old, std::align_val_t{alignof(T)});
        }
        heap_ = fresh;
        capacity_ = static_cast<std::uint32_t>(wanted);
    }

    void release() noexcept {
        std::destroy_n(data(), size_);
        if (onHeap()) {
            ::operator delete (heap_, std::align_val_t{alignof(T)});
        }
        size_ = 0;
        capacity_ = N;
    }

    // Leaves `other` empty; `this` must hold nothing.
    //
    // GCC 12 folds this function across instantiations of the same layout (an
    // array of four bools and one of four ints share it) and then checks the
    // heap pointer's read against the wrong element size: -Warray-bounds fires
    // on a read that is in bounds.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    void take(SmallArray&& other) noexcept {
        if (other.onHeap()) {
            heap_ = other.heap_;
            size_ = other.size_;
            capacity_ = other.capacity_;
            other.size_ = 0;
            other.capacity_ = N;
            return;
        }
        static_assert(std::is_nothrow_move_constructible_v<T>);
        std::uninitialized_move_n(other.inlineData(), other.size_, inlineData());
        size_ = other.size_;
        other.clear();
    }
#pragma GCC diagnostic pop

    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = N;
    union {
        alignas(T) unsigned char inline_[N * sizeof(T)];
        T* heap_;
    };
};
