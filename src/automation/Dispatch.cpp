#include "automation/Dispatch.h"

#include "automation/AutomationError.h"

namespace korvane {

Dispatch& Object::target() const {
    if (!ptr_) raiseRuntimeError(rt::ObjectNotSet);
    return *ptr_;
}

Variant Object::get(DispId id, std::vector<Variant> args) const {
    return target().invoke(id, InvokeKind::PropertyGet, args);
}

Variant Object::get(std::wstring_view name, std::vector<Variant> args) const {
    Dispatch& t = target();
    return t.invoke(t.idOfName(name), InvokeKind::PropertyGet, args);
}

void Object::put(DispId id, Variant value) const {
    std::vector<Variant> args{std::move(value)};
    target().invoke(id, InvokeKind::PropertyPut, args);
}

void Object::put(std::wstring_view name, Variant value) const {
    Dispatch& t = target();
    std::vector<Variant> args{std::move(value)};
    t.invoke(t.idOfName(name), InvokeKind::PropertyPut, args);
}

Variant Object::call(DispId id, std::vector<Variant> args) const {
    return target().invoke(id, InvokeKind::Method, args);
}

Variant Object::call(std::wstring_view name, std::vector<Variant> args) const {
    Dispatch& t = target();
    return t.invoke(t.idOfName(name), InvokeKind::Method, args);
}

std::vector<Variant> Object::items() const {
    auto e = target().enumerate();
    std::vector<Variant> out;
    Variant item;
    while (e->next(item)) out.push_back(std::move(item));
    return out;
}

}  // namespace korvane
