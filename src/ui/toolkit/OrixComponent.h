#pragma once
// The root of everything a skinned form owns: controls with a window, and
// components without one (pop-up menus, image lists). A form keeps its
// components in creation order, each with its kind, name and Tag, so that
// code such as the translation of a form can walk them.
#include <cstdint>
#include <string>

#include "ui/toolkit/OrixTypes.h"

class TOrixForm;

class TOrixComponent {
public:
    virtual ~TOrixComponent() = default;
    TOrixComponent(const TOrixComponent&) = delete;
    TOrixComponent& operator=(const TOrixComponent&) = delete;

    TOrixKind Kind() const { return kind_; }
    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    // A free value for the owner's use (a number, or a pointer to the
    // record a control shows).
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }
    // The form that owns this component; none for a form itself.
    TOrixForm* OwnerForm() const { return owner_; }
    // The text the component shows; empty when it has none.
    virtual std::wstring Caption() const { return {}; }

protected:
    explicit TOrixComponent(TOrixKind kind) : kind_(kind) {}
    void SetOwnerForm(TOrixForm* owner) { owner_ = owner; }
    friend class TOrixForm;

private:
    TOrixKind kind_;
    std::wstring name_;
    intptr_t tag_ = 0;
    TOrixForm* owner_ = nullptr;
};
