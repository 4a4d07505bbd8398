// Lists of integer pairs: the abstract operations and the array-backed list.
#include "storage/d2integers.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kIndexError = "リストのインデックスが範囲を超えています (%d)";
constexpr const char* kCapacityError = "リストの容量が件数より小さくなります (%d)";

// Keeps an update open until the scope ends, also when an exception passes.
class TUpdateScope {
  public:
    explicit TUpdateScope(TD2Integers& list) : list_(list) { list_.BeginUpdate(); }
    ~TUpdateScope() { list_.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

  private:
    TD2Integers& list_;
};

}  // namespace

// --- TD2Integers ---------------------------------------------------------------------------

void TD2Integers::Put(int Index, TD2Integer Item) {
    Delete(Index);
    Insert(Index, Item.X, Item.Y);
}

int TD2Integers::Add(int X, int Y) {
    const int index = GetCount();
    Insert(index, X, Y);
    return index;
}

void TD2Integers::AddItems(const TD2Integers& Source) {
    TUpdateScope update(*this);
    // The count is taken once, so adding a list to itself doubles it instead of running forever.
    const int count = Source.GetCount();
    for (int i = 0; i < count; ++i) {
        const TD2Integer item = Source.Get(i);
        Add(item.X, item.Y);
    }
}

void TD2Integers::Assign(const TD2Integers& Source) {
    // Clearing first would lose the pairs that are to be copied.
    if (&Source == this) return;
    TUpdateScope update(*this);
    Clear();
    AddItems(Source);
}

void TD2Integers::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TD2Integers::EndUpdate() {
    if (updateCount_ == 0) return;  // an unmatched EndUpdate must not send the count below 0
    --updateCount_;
    if (updateCount_ == 0) SetUpdateState(false);
}

bool TD2Integers::Equals(const TD2Integers& Other) const {
    const int count = GetCount();
    if (count != Other.GetCount()) return false;
    for (int i = 0; i < count; ++i) {
        if (Get(i) != Other.Get(i)) return false;
    }
    return true;
}

void TD2Integers::Error(const char* Message, int Index) {
    std::string text(Message);
    const auto at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(Index));
    throw TD2IntegersError(text, Index);
}

void TD2Integers::CheckIndex(int Index, int Limit) {
    if (Index < 0 || Index >= Limit) Error(kIndexError, Index);
}

// --- TD2IntegerList ------------------------------------------------------------------------

TD2IntegerList::TD2IntegerList(const TD2IntegerList& Other) : TD2Integers() {
    Assign(Other);
}

TD2IntegerList& TD2IntegerList::operator=(const TD2IntegerList& Other) {
    Assign(Other);
    return *this;
}

TD2IntegerList::~TD2IntegerList() {
    // Nobody hears about a list that is going away.
    OnChange = nullptr;
    OnChanging = nullptr;
    count_ = 0;
}

TD2Integer TD2IntegerList::Get(int Index) const {
    CheckIndex(Index, count_);
    return items_[Index];
}

void TD2IntegerList::Put(int Index, TD2Integer Item) {
    CheckIndex(Index, count_);
    Changing();
    items_[Index] = Item;
    Changed();
}

void TD2IntegerList::SetCapacity(int NewCapacity) {
    // A capacity below the count would leave pairs outside the storage.
    if (NewCapacity < count_) Error(kCapacityError, NewCapacity);
    if (NewCapacity == capacity_) return;
    std::unique_ptr<TD2Integer[]> storage;
    if (NewCapacity > 0) {
        storage = std::make_unique_for_overwrite<TD2Integer[]>(NewCapacity);
        std::copy_n(items_.get(), count_, storage.get());
    }
    items_ = std::move(storage);
    capacity_ = NewCapacity;
}

int TD2IntegerList::Add(int X, int Y) {
    const int index = count_;
    Insert(index, X, Y);
    return index;
}

void TD2IntegerList::Clear() {
    if (count_ == 0) return;
    Changing();
    count_ = 0;
    SetCapacity(0);
    Changed();
}

void TD2IntegerList::Delete(int Index) {
    CheckIndex(Index, count_);
    Changing();
    --count_;
    if (Index < count_) {
        std::memmove(&items_[Index], &items_[Index + 1],
                     static_cast<std::size_t>(count_ - Index) * sizeof(TD2Integer));
    }
    Changed();
}

void TD2IntegerList::Insert(int Index, int X, int Y) {
    CheckIndex(Index, count_ + 1);
    Changing();
    if (count_ == capacity_) Grow();
    if (Index < count_) {
        std::memmove(&items_[Index + 1], &items_[Index],
                     static_cast<std::size_t>(count_ - Index) * sizeof(TD2Integer));
    }
    items_[Index] = TD2Integer{X, Y};
    ++count_;
    Changed();
}

void TD2IntegerList::Grow() {
    int delta = 4;
    if (capacity_ > 64) {
        delta = capacity_ / 4;
    } else if (capacity_ > 8) {
        delta = 16;
    }
    SetCapacity(capacity_ + delta);
}

void TD2IntegerList::SetUpdateState(bool Updating) {
    if (Updating) {
        Changing();
    } else {
        Changed();
    }
}

void TD2IntegerList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(*this);
}

void TD2IntegerList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(*this);
}
