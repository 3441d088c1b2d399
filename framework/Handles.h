// Owners of one Win32 handle each: closed in the destructor, not copyable, each with its empty value.
#pragma once

#include <windows.h>

#include <utility>

template <typename T, T (*Empty)(), void (*Close)(T)>
class CUniqueHandle
{
public:
    CUniqueHandle() : m_h(Empty()) {}
    explicit CUniqueHandle(T h) : m_h(h) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Detach()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    T Get() const { return m_h; }
    bool IsValid() const { return m_h != Empty(); }
    explicit operator bool() const { return IsValid(); }
    // For out-parameters of the API that opens the object; closes what was held first.
    T* Receive()
    {
        Reset();
        return &m_h;
    }
    T Detach() { return std::exchange(m_h, Empty()); }
    void Reset(T h = Empty())
    {
        if (m_h != Empty())
            Close(m_h);
        m_h = h;
    }

private:
    T m_h;
};

namespace handle_detail
{
inline HANDLE NullHandle() { return nullptr; }
inline HANDLE InvalidHandle() { return INVALID_HANDLE_VALUE; }
inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline HKEY NullKey() { return nullptr; }
inline void CloseKey(HKEY h) { RegCloseKey(h); }
inline HMODULE NullModule() { return nullptr; }
inline void ReleaseModule(HMODULE h) { FreeLibrary(h); }
}  // namespace handle_detail

// Thread, process and event handles: NULL is empty.
using CHandle = CUniqueHandle<HANDLE, handle_detail::NullHandle, handle_detail::CloseKernelHandle>;
// File handles: INVALID_HANDLE_VALUE is empty.
using CFileHandle = CUniqueHandle<HANDLE, handle_detail::InvalidHandle, handle_detail::CloseKernelHandle>;
using CRegKey = CUniqueHandle<HKEY, handle_detail::NullKey, handle_detail::CloseKey>;
using CModule = CUniqueHandle<HMODULE, handle_detail::NullModule, handle_detail::ReleaseModule>;
