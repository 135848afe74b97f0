#pragma once

#include "core/Diagnostics.hpp"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// What every registry keeps the same way: its objects, each owned under a string key (byte
// for byte) and never removed while the film plays, so a pointer handed out stays valid until
// exit or until the preview clears everything to load it again, and the lines
// it prints about a key. `owner` and `kind` make them: "<owner>: <kind> with key <key> does
// not exist." and "... already exists.".
template <typename Item>
class Registry {
public:
    Registry(std::string owner, std::string kind)
        : m_owner(std::move(owner))
        , m_kind(std::move(kind))
    {
    }

    bool contains(const std::string& key) const { return m_items.find(key) != m_items.end(); }

    // The object, or null after the does-not-exist line.
    Item* get(const std::string& key) const
    {
        const auto found = m_items.find(key);
        if (found == m_items.end()) {
            reportLine(m_owner + ": " + m_kind + " with key " + key + " does not exist.");
            return nullptr;
        }
        return found->second.get();
    }

    // True when `key` is still free; otherwise false after the already-exists line, the line
    // beginning with `owner` (the class whose line it is, where that is not the registry).
    bool isFree(const std::string& key, const std::string& owner) const
    {
        if (!contains(key))
            return true;
        reportLine(owner + ": " + m_kind + " with key " + key + " already exists.");
        return false;
    }
    bool isFree(const std::string& key) const { return isFree(key, m_owner); }

    // The object, or null without a word.
    Item* find(const std::string& key) const
    {
        const auto found = m_items.find(key);
        return found == m_items.end() ? nullptr : found->second.get();
    }

    // Every key, in byte order.
    std::vector<std::string> keys() const
    {
        std::vector<std::string> keys;
        for (const auto& entry : m_items)
            keys.push_back(entry.first);
        std::sort(keys.begin(), keys.end());
        return keys;
    }

    // Keeps `item` under `key`, in place of any object there before.
    Item& put(const std::string& key, std::unique_ptr<Item> item) { return *(m_items[key] = std::move(item)); }

    // Every object, in no particular order.
    template <typename Visit>
    void forEach(Visit visit) const
    {
        for (const auto& entry : m_items)
            visit(*entry.second);
    }

    // Forgets every object (the preview, before it loads edited files again); every pointer
    // handed out before dangles.
    void clear() { m_items.clear(); }

private:
    std::string m_owner;
    std::string m_kind;
    std::unordered_map<std::string, std::unique_ptr<Item>> m_items;
};
