#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kelvane {

// One change of a table's rows, told twice: before it is made and once it is made, so that a view can
// keep its selection and scroll position over it.
struct ListChange
{
    enum class Kind
    {
        Insert, // Count rows at First
        Remove, // Count rows from First
        Move,   // the row at First goes to position To (counted in the table after the move)
        Update, // Count rows from First hold new values
    };
    Kind What = Kind::Insert;
    size_t First = 0;
    size_t Count = 0;
    size_t To = 0;

    bool operator==(const ListChange&) const = default;
};

class ListObserver
{
public:
    virtual ~ListObserver() = default;
    virtual void RowsChanging(const ListChange& change) = 0;
    virtual void RowsChanged(const ListChange& change) = 0;
};

// Tells the observer (when there is one) of a change around making it.
template <typename Make>
void AnnounceChange(ListObserver* observer, const ListChange& change, Make&& make)
{
    if (observer) {
        observer->RowsChanging(change);
    }
    make();
    if (observer) {
        observer->RowsChanged(change);
    }
}

// Moves the element at `from` to position `to` (counted after the move); the others keep their order.
template <typename T>
void MoveElement(std::vector<T>& items, size_t from, size_t to)
{
    const auto at = [&items](size_t index) { return items.begin() + static_cast<std::ptrdiff_t>(index); };
    if (from < to) {
        std::rotate(at(from), at(from + 1), at(to + 1));
    } else if (to < from) {
        std::rotate(at(to), at(from), at(from + 1));
    }
}

} // namespace kelvane
