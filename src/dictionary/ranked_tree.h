// An ordered map whose entries can be reached by key and by rank (0-based position in key order),
// both in logarithmic time: a height-balanced (AVL) tree whose nodes also count their subtree.
// Scripts walk a dictionary with `For i = 1 To d.Count: d.Item(i)`; with a plain ordered tree
// each positional access would walk from the first entry and the loop would be quadratic.
//
// Insertion, removal, renaming, lookup and rank access are logarithmic; nothing is copied when
// the tree rebalances or renames, so an Entry* stays valid until that entry is removed.
//
// Order: a three-way comparison object, order(a, b) < 0 when a sorts first. It may carry state
// (such as case sensitivity), which can change only while the tree is empty.
// Pure: no platform header, so it is also built natively with the sanitizers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

namespace docket {

template <class Key, class Value, class Order>
class RankedTree {
 public:
  struct Entry {
    Key key;
    Value value;
  };

  enum class Renamed { kDone, kMissing, kTaken };

  explicit RankedTree(Order order = Order{}) : order_(order) {}
  RankedTree(const RankedTree&) = delete;
  RankedTree& operator=(const RankedTree&) = delete;
  RankedTree(RankedTree&&) noexcept = default;
  RankedTree& operator=(RankedTree&&) noexcept = default;

  size_t size() const { return CountOf(root_.get()); }
  // Levels on the longest path from the root (0 when empty); logarithmic in size().
  int height() const { return HeightOf(root_.get()); }

  const Order& order() const { return order_; }

  // Replaces the order; refused (false) unless the tree is empty, since entries placed under one
  // order would be misplaced under another.
  bool Reorder(Order order) {
    if (root_) return false;
    order_ = order;
    return true;
  }

  // The entry whose key is equivalent to `key`, or null.
  template <class Lookup>
  const Entry* Find(const Lookup& key) const {
    const Node* node = root_.get();
    while (node) {
      const int order = order_(key, node->entry.key);
      if (order == 0) return &node->entry;
      node = (order < 0 ? node->left : node->right).get();
    }
    return nullptr;
  }
  template <class Lookup>
  Entry* Find(const Lookup& key) {
    return const_cast<Entry*>(std::as_const(*this).Find(key));
  }

  // The entry at `rank` in key order; rank must be below size().
  const Entry& At(size_t rank) const {
    const Node* node = root_.get();
    for (;;) {
      const size_t before = CountOf(node->left.get());
      if (rank == before) return node->entry;
      if (rank < before) {
        node = node->left.get();
      } else {
        rank -= before + 1;
        node = node->right.get();
      }
    }
  }

  // Inserts (key, value) unless an equivalent key is present. Like std::map::try_emplace, key and
  // value are moved from only when they are inserted; otherwise they are left to the caller and
  // the entry already there is returned with `false`. On std::bad_alloc nothing has changed.
  std::pair<Entry*, bool> TryInsert(Key&& key, Value&& value) {
    bool inserted = false;
    // The node is allocated only once its place is found, and before key and value are moved
    // into it, so a failed allocation leaves them with the caller.
    auto make = [&] { return std::make_unique<Node>(std::move(key), std::move(value)); };
    Entry* entry = InsertBelow(root_, key, make, inserted);
    return {entry, inserted};
  }

  // Takes the entry whose key is equivalent to `key` out of the tree; nothing when there is none.
  template <class Lookup>
  std::optional<Entry> Erase(const Lookup& key) {
    Link node = DetachBelow(root_, key);
    if (!node) return std::nullopt;
    return std::move(node->entry);
  }

  // Gives the entry under `from` the key `to`, moving it to its new place in key order. Refused
  // when there is no such entry, or when another entry already has a key equivalent to `to`.
  // Nothing is allocated: the entry's own node moves.
  template <class Lookup>
  Renamed Rename(const Lookup& from, Key&& to) noexcept {
    Entry* entry = Find(from);
    if (!entry) return Renamed::kMissing;
    if (order_(entry->key, to) == 0) {  // the same key spelt another way keeps its place
      entry->key = std::move(to);
      return Renamed::kDone;
    }
    if (Find(to)) return Renamed::kTaken;
    Link node = DetachBelow(root_, from);
    node->entry.key = std::move(to);
    node->height = 1;
    node->count = 1;
    bool inserted = false;
    auto reuse = [&] { return std::move(node); };
    InsertBelow(root_, entry->key, reuse, inserted);
    return Renamed::kDone;
  }

  // Every entry, in a tree of the same order; this one is left empty.
  RankedTree TakeAll() noexcept {
    RankedTree taken(order_);
    taken.root_ = std::move(root_);
    return taken;
  }

  // Calls visit(entry) for every entry in key order until it returns false.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    Walk(root_.get(), visit);
  }

 private:
  struct Node {
    Node(Key&& k, Value&& v) : entry{std::move(k), std::move(v)} {}
    Entry entry;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    int height = 1;
    size_t count = 1;
  };
  using Link = std::unique_ptr<Node>;

  static int HeightOf(const Node* node) { return node ? node->height : 0; }
  static size_t CountOf(const Node* node) { return node ? node->count : 0; }

  static void Update(Node& node) {
    node.height = 1 + std::max(HeightOf(node.left.get()), HeightOf(node.right.get()));
    node.count = 1 + CountOf(node.left.get()) + CountOf(node.right.get());
  }

  // The left child becomes the subtree's root.
  static void RotateRight(Link& top) {
    Link pivot = std::move(top->left);
    top->left = std::move(pivot->right);
    Update(*top);
    pivot->right = std::move(top);
    Update(*pivot);
    top = std::move(pivot);
  }

  static void RotateLeft(Link& top) {
    Link pivot = std::move(top->right);
    top->right = std::move(pivot->left);
    Update(*top);
    pivot->left = std::move(top);
    Update(*pivot);
    top = std::move(pivot);
  }

  // Restores the height balance of `top` after one insertion or removal below it.
  static void Rebalance(Link& top) {
    Update(*top);
    const int balance = HeightOf(top->left.get()) - HeightOf(top->right.get());
    if (balance > 1) {
      if (HeightOf(top->left->left.get()) < HeightOf(top->left->right.get())) RotateLeft(top->left);
      RotateRight(top);
    } else if (balance < -1) {
      if (HeightOf(top->right->right.get()) < HeightOf(top->right->left.get()))
        RotateRight(top->right);
      RotateLeft(top);
    }
  }

  // Places the node that make() gives where `key` belongs, unless an equivalent key is there.
  // Recursion depth is the tree's height, at most about 1.44 log2(size).
  template <class Make>
  Entry* InsertBelow(Link& link, const Key& key, Make& make, bool& inserted) {
    if (!link) {
      link = make();
      inserted = true;
      return &link->entry;
    }
    const int order = order_(key, link->entry.key);
    if (order == 0) return &link->entry;
    Entry* entry = InsertBelow(order < 0 ? link->left : link->right, key, make, inserted);
    if (inserted) Rebalance(link);
    return entry;
  }

  // Unlinks the node whose key is equivalent to `key` from the subtree and returns it, without
  // children; null when there is none.
  template <class Lookup>
  Link DetachBelow(Link& link, const Lookup& key) {
    if (!link) return nullptr;
    const int order = order_(key, link->entry.key);
    if (order != 0) {
      Link detached = DetachBelow(order < 0 ? link->left : link->right, key);
      if (detached) Rebalance(link);
      return detached;
    }
    Link detached = std::move(link);
    if (!detached->left) {
      link = std::move(detached->right);
    } else if (!detached->right) {
      link = std::move(detached->left);
    } else {  // the next entry in key order takes the place
      link = DetachFirst(detached->right);
      link->left = std::move(detached->left);
      link->right = std::move(detached->right);
      Rebalance(link);
    }
    return detached;
  }

  // Unlinks the subtree's first node (it has no left child) and returns it.
  static Link DetachFirst(Link& link) {
    if (!link->left) {
      Link first = std::move(link);
      link = std::move(first->right);
      return first;
    }
    Link first = DetachFirst(link->left);
    Rebalance(link);
    return first;
  }

  template <class Visit>
  static bool Walk(const Node* node, Visit& visit) {
    if (!node) return true;
    return Walk(node->left.get(), visit) && visit(node->entry) && Walk(node->right.get(), visit);
  }

  Link root_;
  Order order_;
};

}  // namespace docket
