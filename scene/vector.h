// A point or direction; as a vertex of an object it also carries its flags.
#pragma once

#include <cmath>

class ArchiveReader;
class ArchiveWriter;

class CVector {
public:
    CVector() = default;
    CVector(float x, float y, float z) : x(x), y(y), z(z) {}

    // Coordinates only: the flags belong to the vertex, not to the arithmetic.
    CVector& operator+=(const CVector& v) {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    CVector& operator-=(const CVector& v) {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }

    void Cross(const CVector& a, const CVector& b) {
        x = a.y * b.z - a.z * b.y;
        y = a.z * b.x - a.x * b.z;
        z = a.x * b.y - a.y * b.x;
    }
    static float Dot(const CVector& a, const CVector& b) {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    }
    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    // A zero-length vector becomes (0, 0, 1).
    void Normalize() {
        const float length = Length();
        if (length == 0.0f) {
            x = 0;
            y = 0;
            z = 1;
            return;
        }
        x /= length;
        y /= length;
        z /= length;
    }

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    float x = 0;
    float y = 0;
    float z = 0;
    bool selected = false;
    bool mark = false;
    bool used = true;
};

inline CVector operator-(CVector a, const CVector& b) {
    a -= b;
    return a;
}

// Three coordinates without the vertex flags: how an object packs the normals
// it derives, a quarter smaller than CVector and read as one block.
struct PackedVector {
    float x;
    float y;
    float z;

    PackedVector() = default;  // uninitialised, as arrays of them are filled at once
    explicit PackedVector(const CVector& v) : x(v.x), y(v.y), z(v.z) {}
    CVector Unpacked() const { return CVector(x, y, z); }
};

class CUV {
public:
    void Serialize(ArchiveReader& ar);

    float u = 0;
    float v = 0;
};

// A transform triple; the scene's camera is one.
class CAnimation {
public:
    CAnimation() { Reset(); }
    void Reset();

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    CVector position;
    CVector rotation;  // degrees about x, y and z
    CVector scale;
};
