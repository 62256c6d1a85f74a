#pragma once
// Registers a message filter for the lifetime of the object and puts the previous one back afterwards.
#include <windows.h>
#include <objidl.h>

#include "automation/win32/ComPtr.h"

namespace korvane::com {

class MessageFilterRegistration {
public:
    explicit MessageFilterRegistration(IMessageFilter* filter);
    ~MessageFilterRegistration();
    MessageFilterRegistration(const MessageFilterRegistration&) = delete;
    MessageFilterRegistration& operator=(const MessageFilterRegistration&) = delete;

private:
    ComPtr<IMessageFilter> previous_;
};

}  // namespace korvane::com
