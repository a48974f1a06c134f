// How many more GDI, USER and memory handles can still be created: what a leak eats into. Wine's
// GetGuiResources answers 0, so the room is measured by creating objects until creation fails
// (or a cap is reached) and freeing them all again.
#pragma once

#include <cstddef>

namespace revaze::test {

struct ObjectCapacity {
    std::size_t gdi = 0;  // regions this process can still create
    std::size_t user = 0; // menus that can still be created (USER handles)
    // Moveable memory handles, as IMM32 makes the components of an input context from.
    std::size_t memory = 0;
};

ObjectCapacity measureObjectCapacity(std::size_t cap = 200000);

} // namespace revaze::test
