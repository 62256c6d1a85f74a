#pragma once
// An open document of the simulated application: its content, its window (which sheet group it shows,
// the current sheet, the selection) and the automation members of a document.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/DocumentContent.h"
#include "model/SimObject.h"

namespace edgesim {

// A sheet's place in its document.
struct SheetRef {
    SheetGroupKind group = SheetGroupKind::Working;
    size_t index = 0;
    friend bool operator==(const SheetRef&, const SheetRef&) = default;
};

class Document : public SimObject, public std::enable_shared_from_this<Document> {
public:
    // `fullName` is empty for a new document that was never saved; `untitledName` names it then.
    Document(std::weak_ptr<Session> session, std::wstring fullName, DocumentContent content,
             std::wstring untitledName = {});

    // --- What tests and the state text read ---
    const std::wstring& fullName() const noexcept { return fullName_; }
    // The file name part of the full name (the untitled name for a new document).
    std::wstring shortName() const;
    int32_t type() const noexcept { return content_.type; }
    bool isDrafting() const noexcept { return content_.type == 2; }
    const DocumentContent& content() const noexcept { return content_; }
    bool isOpen() const noexcept { return open_; }
    bool modified() const noexcept { return modified_; }
    bool showsBackground() const noexcept { return showsBackground_; }
    std::optional<SheetRef> currentSheet() const noexcept { return current_; }
    const Sheet* currentSheetData() const;
    // The positions of the selected items on the current sheet (any change of sheet clears the selection).
    const std::vector<size_t>& selection() const noexcept { return selection_; }
    size_t titleBlockUpdates() const noexcept { return titleBlockUpdates_; }
    size_t propertySetSaves(const std::wstring& setName) const;
    const std::map<std::wstring, size_t>& allPropertySetSaves() const noexcept { return propertySetSaves_; }

    // --- Changes made by the application ---
    DocumentContent& mutableContent() noexcept { modified_ = true; return content_; }
    void markSaved() noexcept { modified_ = false; }
    void markClosed() noexcept { open_ = false; }
    void activateSheet(Session& session, SheetRef sheet);
    void showGroup(SheetGroupKind group);
    void clearSelection();
    void selectAllOnCurrentSheet();
    // Removes the selected items from their sheet; the selection is empty afterwards.
    void deleteSelection();
    // The texts of the selected items, in sheet order.
    std::vector<std::wstring> selectedItems() const;
    // Adds items to the current sheet; false when there is no current sheet.
    bool pasteIntoCurrentSheet(const std::vector<std::wstring>& items);
    void noteTitleBlockUpdate() noexcept { ++titleBlockUpdates_; }
    void notePropertySetSave(const std::wstring& setName) { ++propertySetSaves_[setName]; }
    std::wstring sheetIdentity(SheetRef sheet) const;

    // --- Automation ---
    std::wstring_view kind() const override { return L"Document"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override;
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;

    bool isDisconnected() const override { return !open_; }
    std::weak_ptr<Session> session() const { return sessionRef(); }

private:
    std::wstring fullName_;
    std::wstring untitledName_;
    DocumentContent content_;
    bool open_ = true;
    bool modified_ = false;
    bool showsBackground_ = false;
    std::optional<SheetRef> current_;
    std::optional<size_t> lastWorkingSheet_;
    std::vector<size_t> selection_;
    size_t titleBlockUpdates_ = 0;
    std::map<std::wstring, size_t> propertySetSaves_;
};

}  // namespace edgesim
