#include "tests/wine_ui/object_capacity.h"

#include <windows.h>

#include <vector>

namespace revaze::test {

namespace {

template <typename Create, typename Destroy>
std::size_t roomFor(std::size_t cap, Create create, Destroy destroy) {
    std::vector<decltype(create())> made;
    made.reserve(cap);
    while (made.size() < cap) {
        auto object = create();
        if (object == nullptr) {
            break;
        }
        made.push_back(object);
    }
    for (auto object : made) {
        destroy(object);
    }
    return made.size();
}

} // namespace

ObjectCapacity measureObjectCapacity(std::size_t cap) {
    ObjectCapacity room;
    room.gdi = roomFor(
        cap, [] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN region) { DeleteObject(region); });
    room.user = roomFor(
        cap, [] { return CreateMenu(); }, [](HMENU menu) { DestroyMenu(menu); });
    room.memory = roomFor(
        cap, [] { return LocalAlloc(LMEM_MOVEABLE, 16); }, [](HLOCAL block) { LocalFree(block); });
    return room;
}

} // namespace revaze::test
