// An ordered map whose entries can be reached by key and by rank (0-based position in key order),
// both in logarithmic time: a height-balanced (AVL) tree whose nodes also count their subtree.
// Scripts walk a dictionary with `For i = 1 To d.Count: d.Item(i)`; with a plain ordered tree
// each positional access would walk from the first entry and the loop would be quadratic.
//
// Entries are never removed one by one (the dictionary only adds and replaces), so the tree
// offers insertion, lookup, rank access and an in-order walk, and frees everything at the end.
// Node addresses never change, so an Entry* stays valid for the tree's lifetime.
//
// Order: a three-way comparison object, Order{}(a, b) < 0 when a sorts first.
// Pure: no platform header, so it is also built natively with the sanitizers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

namespace docket {

template <class Key, class Value, class Order>
class RankedTree {
 public:
  struct Entry {
    Key key;
    Value value;
  };

  RankedTree() = default;
  RankedTree(const RankedTree&) = delete;
  RankedTree& operator=(const RankedTree&) = delete;

  size_t size() const { return CountOf(root_.get()); }
  // Levels on the longest path from the root (0 when empty); logarithmic in size().
  int height() const { return HeightOf(root_.get()); }

  // The entry whose key is equivalent to `key`, or null.
  template <class Lookup>
  const Entry* Find(const Lookup& key) const {
    const Node* node = root_.get();
    while (node) {
      const int order = Order{}(key, node->entry.key);
      if (order == 0) return &node->entry;
      node = (order < 0 ? node->left : node->right).get();
    }
    return nullptr;
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
    Entry* entry = InsertBelow(root_, key, value, inserted);
    return {entry, inserted};
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

  // Restores the height balance of `top` after one insertion below it.
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

  // Recursion depth is the tree's height, at most about 1.44 log2(size).
  Entry* InsertBelow(Link& link, Key& key, Value& value, bool& inserted) {
    if (!link) {
      // The node is allocated before key and value are moved into it, so a failed allocation
      // leaves them with the caller.
      link = std::make_unique<Node>(std::move(key), std::move(value));
      inserted = true;
      return &link->entry;
    }
    const int order = Order{}(key, link->entry.key);
    if (order == 0) return &link->entry;
    Entry* entry = InsertBelow(order < 0 ? link->left : link->right, key, value, inserted);
    if (inserted) Rebalance(link);
    return entry;
  }

  template <class Visit>
  static bool Walk(const Node* node, Visit& visit) {
    if (!node) return true;
    return Walk(node->left.get(), visit) && visit(node->entry) && Walk(node->right.get(), visit);
  }

  Link root_;
};

}  // namespace docket
