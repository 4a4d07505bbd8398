// Lists of integer pairs (X, Y): the container in which the puzzle logic and the board collect
// cells (X = column, Y = row).
//
// TD2Integers is the abstract list: it defines the operations, batching of change notifications
// (BeginUpdate/EndUpdate), Assign and Equals. TD2IntegerList keeps the pairs in one contiguous
// block and tells its two hooks about every change: OnChanging before, OnChange after, both only
// while no update is open. The list never sorts; order is insertion order.
//
// Every index error throws TD2IntegersError with the message
// "リストのインデックスが範囲を超えています (N)" and leaves the list unchanged.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

struct TD2Integer {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend bool operator==(const TD2Integer&, const TD2Integer&) = default;
};

// The error of a pair list: an index out of range (or a capacity below the count).
class TD2IntegersError : public std::out_of_range {
  public:
    TD2IntegersError(const std::string& message, int index)
        : std::out_of_range(message), index_(index) {}

    int Index() const { return index_; }

  private:
    int index_;
};

class TD2Integers {
  public:
    TD2Integers() = default;
    TD2Integers(const TD2Integers&) = delete;
    TD2Integers& operator=(const TD2Integers&) = delete;
    virtual ~TD2Integers() = default;

    virtual TD2Integer Get(int Index) const = 0;
    virtual int GetCapacity() const { return GetCount(); }
    virtual int GetCount() const = 0;
    virtual void Put(int Index, TD2Integer Item);
    virtual void SetCapacity(int /*NewCapacity*/) {}
    virtual int Add(int X, int Y);
    virtual void AddItems(const TD2Integers& Source);
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, int X, int Y) = 0;

    int Count() const { return GetCount(); }
    TD2Integer operator[](int Index) const { return Get(Index); }

    // Replaces the pairs by those of Source, as one update. Assigning a list to itself keeps it.
    void Assign(const TD2Integers& Source);
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Same count and, at every index, the same X and the same Y.
    bool Equals(const TD2Integers& Other) const;

  protected:
    virtual void SetUpdateState(bool /*Updating*/) {}

    // Throws TD2IntegersError with Message, its "%d" replaced by Index.
    [[noreturn]] static void Error(const char* Message, int Index);

    // Throws the index error unless 0 <= Index < Limit.
    static void CheckIndex(int Index, int Limit);

  private:
    std::int32_t updateCount_ = 0;
};

class TD2IntegerList : public TD2Integers {
  public:
    using THook = std::function<void(TD2IntegerList& Sender)>;

    TD2IntegerList() = default;
    // Copies the pairs, not the hooks.
    TD2IntegerList(const TD2IntegerList& Other);
    TD2IntegerList& operator=(const TD2IntegerList& Other);
    ~TD2IntegerList() override;

    TD2Integer Get(int Index) const override;
    int GetCapacity() const override { return capacity_; }
    int GetCount() const override { return count_; }
    void Put(int Index, TD2Integer Item) override;
    void SetCapacity(int NewCapacity) override;
    int Add(int X, int Y) override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, int X, int Y) override;

    int Capacity() const { return capacity_; }

    THook OnChange;
    THook OnChanging;

  protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();

  private:
    void Grow();

    std::unique_ptr<TD2Integer[]> items_;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
};
