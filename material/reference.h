// Reference counting for the material model.
//
// Counts are plain integers, not atomic: a model object is created, read and released by one
// thread at a time.
#pragma once

#include <cstdint>

// Common base of every material model object: one counter and a virtual destructor.
class RefCounted {
public:
    RefCounted() = default;
    // A copy is a new object: it starts without references.
    RefCounted(const RefCounted&) {}
    RefCounted& operator=(const RefCounted&) { return *this; }
    virtual ~RefCounted() = default;

    // Number of References holding this object.
    std::int32_t refCount() const { return refCount_; }
    void incRefCount() { ++refCount_; }
    // Returns the count after the decrement; the caller destroys the object at 0.
    std::int32_t decRefCount() { return --refCount_; }

private:
    std::int32_t refCount_ = 0;
};

// A counted reference to a RefCounted object of type T, or to nothing. Dropping the last
// reference destroys the object through its virtual destructor.
template <typename T> class Reference {
public:
    Reference() = default;
    // Takes a reference on `object` (which may be null); objects created with new start at 0.
    Reference(T* object) : object_(object) { take(); }
    Reference(const Reference& other) : object_(other.object_) { take(); }
    Reference(Reference&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    template <typename U> Reference(const Reference<U>& other) : object_(other.get()) { take(); }
    ~Reference() { release(object_); }

    // Takes the new target before releasing the old one, so that assigning a reference to
    // itself, or to an object that only the old target keeps alive, is safe.
    Reference& operator=(const Reference& other) {
        T* const old = object_;
        object_ = other.object_;
        take();
        release(old);
        return *this;
    }
    Reference& operator=(Reference&& other) noexcept {
        if (this != &other) {
            T* const old = object_;
            object_ = other.object_;
            other.object_ = nullptr;
            release(old);
        }
        return *this;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    bool isNull() const { return object_ == nullptr; }
    explicit operator bool() const { return object_ != nullptr; }

    // The target as the derived class U, or null when it is empty or of another class.
    template <typename U> U* as() const { return dynamic_cast<U*>(object_); }

private:
    void take() {
        if (object_ != nullptr) {
            object_->incRefCount();
        }
    }
    static void release(T* object) {
        if (object != nullptr && object->decRefCount() == 0) {
            delete object;
        }
    }

    T* object_ = nullptr;
};
