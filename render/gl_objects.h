// GL object names owned like memory: an owner deletes its objects when it is
// destroyed, reset or assigned, so nothing waits for a final sweep. The
// context must be current whenever an owner of a live name lets go of it.
#pragma once

#include <utility>

template <typename Delete>
class GlName {
public:
    GlName() = default;
    explicit GlName(unsigned adopted) : id_(adopted) {}
    ~GlName() { reset(); }
    GlName(GlName&& other) noexcept : id_(std::exchange(other.id_, 0u)) {}
    GlName& operator=(GlName&& other) noexcept {
        if (this != &other) {
            reset();
            id_ = std::exchange(other.id_, 0u);
        }
        return *this;
    }
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;

    unsigned id() const { return id_; }
    void reset() {
        if (id_ != 0) {
            Delete{}(id_);
            id_ = 0;
        }
    }

private:
    unsigned id_ = 0;
};

// Kept out of line, so that users of the owners need no GL headers.
struct DeleteGlBuffer {
    void operator()(unsigned id) const;
};
struct DeleteGlTexture {
    void operator()(unsigned id) const;
};

using GlBuffer = GlName<DeleteGlBuffer>;
using GlTexture = GlName<DeleteGlTexture>;

// A buffer name, generated on first need.
void EnsureBuffer(GlBuffer& buffer);

// Consecutive display lists from one glGenLists.
class GlDisplayLists {
public:
    GlDisplayLists() = default;
    // Generates `count` lists; none when the GL has no names left.
    explicit GlDisplayLists(int count);
    ~GlDisplayLists() { reset(); }
    GlDisplayLists(GlDisplayLists&& other) noexcept
        : base_(std::exchange(other.base_, 0u)), count_(std::exchange(other.count_, 0)) {}
    GlDisplayLists& operator=(GlDisplayLists&& other) noexcept {
        if (this != &other) {
            reset();
            base_ = std::exchange(other.base_, 0u);
            count_ = std::exchange(other.count_, 0);
        }
        return *this;
    }
    GlDisplayLists(const GlDisplayLists&) = delete;
    GlDisplayLists& operator=(const GlDisplayLists&) = delete;

    // The name of list `i`; 0 when the lists could not be made.
    unsigned operator[](int i) const { return base_ == 0 ? 0 : base_ + static_cast<unsigned>(i); }
    void reset();

private:
    unsigned base_ = 0;
    int count_ = 0;
};
