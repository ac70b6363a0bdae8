// Integer-keyed parameter containers. Every plug-in node keeps its settings in one, under IDs that
// are stored in users' documents.
#pragma once

#include "plugin/host/filename.h"
#include "plugin/host/types.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>

class HostDocument;
class HostNode;

// A link to a node, stored by the node's document-wide unique ID so that it survives saving and
// loading; it resolves to nothing once the node is gone.
struct HostLink {
    uint64_t node = 0;
    bool operator==(const HostLink& o) const { return node == o.node; }
};

// Data of a host-defined custom type (such as the bitmap button, type 1001053).
struct HostCustomData {
    int32_t type = 0;
    std::string data;
    bool operator==(const HostCustomData& o) const { return type == o.type && data == o.data; }
};

enum class HostValueType { None, Bool, Int, Real, Vector, String, Filename, Link, Custom };

class HostValue {
public:
    HostValue() = default;
    HostValue(bool v) : v_(v) {}
    HostValue(int32_t v) : v_(v) {}
    HostValue(Real v) : v_(v) {}
    HostValue(const Vector& v) : v_(v) {}
    HostValue(std::string v) : v_(std::move(v)) {}
    HostValue(const char* v) : v_(std::string(v)) {}
    HostValue(HostFilename v) : v_(std::move(v)) {}
    HostValue(HostLink v) : v_(v) {}
    HostValue(HostCustomData v) : v_(std::move(v)) {}

    HostValueType type() const { return HostValueType(v_.index()); }
    template <class T> const T* get() const { return std::get_if<T>(&v_); }
    bool operator==(const HostValue& o) const { return v_ == o.v_; }
    bool operator!=(const HostValue& o) const { return !(v_ == o.v_); }

private:
    std::variant<std::monostate, bool, int32_t, Real, Vector, std::string, HostFilename, HostLink,
                 HostCustomData>
        v_;
};

// Reads pass the default that a missing or mismatched parameter gives. Numbers convert among bool,
// integer and real the way the host's containers do: a bool reads as 0 or 1, a real read as an
// integer is truncated toward zero, and any non-zero number reads as true.
class HostContainer {
public:
    bool has(int32_t id) const { return values_.count(id) != 0; }
    HostValueType type(int32_t id) const;
    void remove(int32_t id) { values_.erase(id); }
    void clear() { values_.clear(); }
    bool empty() const { return values_.empty(); }

    bool getBool(int32_t id, bool def = false) const;
    int32_t getInt(int32_t id, int32_t def = 0) const;
    Real getReal(int32_t id, Real def = 0) const;
    Vector getVector(int32_t id, const Vector& def = Vector()) const;
    std::string getString(int32_t id, const std::string& def = std::string()) const;
    HostFilename getFilename(int32_t id, const HostFilename& def = HostFilename()) const;
    HostCustomData getCustom(int32_t id) const;
    // The linked node if it still exists in `doc` and, when `type` is not 0, is of that type.
    HostNode* getLink(int32_t id, const HostDocument* doc, int32_t type = 0) const;
    HostLink getLinkValue(int32_t id) const;
    const HostValue* find(int32_t id) const;

    void setBool(int32_t id, bool v) { values_[id] = HostValue(v); }
    void setInt(int32_t id, int32_t v) { values_[id] = HostValue(v); }
    void setReal(int32_t id, Real v) { values_[id] = HostValue(v); }
    void setVector(int32_t id, const Vector& v) { values_[id] = HostValue(v); }
    void setString(int32_t id, const std::string& v) { values_[id] = HostValue(v); }
    void setFilename(int32_t id, const HostFilename& v) { values_[id] = HostValue(v); }
    void setCustom(int32_t id, const HostCustomData& v) { values_[id] = HostValue(v); }
    // A null node clears the link (the parameter then resolves to nothing).
    void setLink(int32_t id, const HostNode* node);
    void set(int32_t id, const HostValue& v) { values_[id] = v; }

    // In ascending ID order.
    const std::map<int32_t, HostValue>& values() const { return values_; }
    bool operator==(const HostContainer& o) const { return values_ == o.values_; }

private:
    std::map<int32_t, HostValue> values_;
};
