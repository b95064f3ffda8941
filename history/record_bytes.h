// The memory a record holds: its own size and the capacity of everything it
// owns on the heap. Steps measure themselves with these.
#pragma once

#include <cstddef>

class CFace;
class CMaterial;
class CModel;

std::size_t HeapBytes(const CFace& face);
std::size_t HeapBytes(const CMaterial& material);
std::size_t HeapBytes(const CModel& model);
