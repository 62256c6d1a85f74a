#include "model/Document.h"

#include <algorithm>
#include <array>

#include "model/PropertySetsObject.h"
#include "model/Session.h"
#include "model/SheetGroupsObject.h"
#include "model/SimError.h"

namespace edgesim {

namespace {

constexpr std::array<MemberName, 9> kDraftingMembers{{{1, L"Activate"},
                                                      {6, L"Close"},
                                                      {20, L"FullName"},
                                                      {21, L"Type"},
                                                      {22, L"Save"},
                                                      {23, L"Name"},
                                                      {52, L"Properties"},
                                                      {4199, L"Sections"},
                                                      {4213, L"UpdatePropertyTextDisplay"}}};
// Every other document type has the members of any document only: those before Sections.
constexpr std::span<const MemberName> kCommonMembers(kDraftingMembers.data(), 7);

}  // namespace

Document::Document(std::weak_ptr<Session> session, std::wstring fullName, DocumentContent content,
                   std::wstring untitledName)
    : SimObject(std::move(session)), fullName_(std::move(fullName)), untitledName_(std::move(untitledName)),
      content_(std::move(content)) {
    if (!content_.workingSheets.empty()) {
        current_ = SheetRef{SheetGroupKind::Working, 0};
        lastWorkingSheet_ = 0;
    }
}

std::wstring Document::shortName() const {
    if (fullName_.empty()) return untitledName_;
    size_t slash = fullName_.find_last_of(L"\\/");
    return slash == std::wstring::npos ? fullName_ : fullName_.substr(slash + 1);
}

const Sheet* Document::currentSheetData() const {
    if (!current_) return nullptr;
    return &content_.sheets(current_->group)[current_->index];
}

size_t Document::propertySetSaves(const std::wstring& setName) const {
    auto it = propertySetSaves_.find(setName);
    return it == propertySetSaves_.end() ? 0 : it->second;
}

void Document::activateSheet(Session& session, SheetRef sheet) {
    if (sheet.group == SheetGroupKind::Background && !showsBackground_)
        session.note(sheetIdentity(sheet) + L" wurde aktiviert, während das Fenster die Arbeitsblätter zeigt");
    if (sheet.group == SheetGroupKind::Working && showsBackground_)
        session.note(sheetIdentity(sheet) + L" wurde aktiviert, während das Fenster die Hintergrundblätter zeigt");
    current_ = sheet;
    if (sheet.group == SheetGroupKind::Working) lastWorkingSheet_ = sheet.index;
    clearSelection();
}

void Document::showGroup(SheetGroupKind group) {
    showsBackground_ = group == SheetGroupKind::Background;
    clearSelection();
    if (current_ && current_->group == group) return;
    const std::vector<Sheet>& sheets = content_.sheets(group);
    size_t index = group == SheetGroupKind::Working ? lastWorkingSheet_.value_or(0) : 0;
    if (index < sheets.size()) current_ = SheetRef{group, index};
    else current_.reset();
}

void Document::clearSelection() { selection_.clear(); }

void Document::selectAllOnCurrentSheet() {
    clearSelection();
    const Sheet* sheet = currentSheetData();
    if (!sheet) return;
    for (size_t i = 0; i < sheet->items.size(); ++i) selection_.push_back(i);
}

std::vector<std::wstring> Document::selectedItems() const {
    std::vector<std::wstring> out;
    if (const Sheet* sheet = currentSheetData())
        for (size_t i : selection_) out.push_back(sheet->items[i]);
    return out;
}

void Document::deleteSelection() {
    if (!selection_.empty()) {
        std::vector<std::wstring>& items = content_.sheets(current_->group)[current_->index].items;
        std::vector<size_t> positions = selection_;
        std::sort(positions.rbegin(), positions.rend());
        for (size_t i : positions) items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
        modified_ = true;
    }
    clearSelection();
}

bool Document::pasteIntoCurrentSheet(const std::vector<std::wstring>& items) {
    if (!current_) return false;
    std::vector<std::wstring>& target = content_.sheets(current_->group)[current_->index].items;
    target.insert(target.end(), items.begin(), items.end());
    modified_ = true;
    return true;
}

std::wstring Document::sheetIdentity(SheetRef sheet) const {
    return L"Sheet(" + shortName() + L"/" + content_.sheets(sheet.group)[sheet.index].name + L")";
}

std::wstring Document::identity() const {
    return L"Document(" + (fullName_.empty() ? untitledName_ : fullName_) + L")";
}

std::wstring_view Document::interfaceId() const {
    switch (content_.type) {
    case 1: return L"23C52E80-4698-11CE-B307-0800363A1E02";
    case 2: return L"016B11FB-CDC0-11CE-A035-08003601E53B";
    case 3: return L"00C6BF00-483B-11CE-951A-08003601BE52";
    default: return L"EDE51A00-0000-4000-8000-0000000000D0";  // our own id for other document kinds
    }
}

std::span<const MemberName> Document::members() const {
    if (isDrafting()) return kDraftingMembers;
    return kCommonMembers;
}

korvane::Variant Document::serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                       std::vector<korvane::Variant>& args) {
    if (!isRead(kind) || memberName(id).empty()) noSuchMember();
    switch (id) {
    case 1:
        session.activate(shared_from_this());
        return {};
    case 6: {
        bool saveFirst = !args.empty() && !args[0].isMissing() && args[0].toBool();
        if (saveFirst) session.save(*this);
        session.close(*this);
        return {};
    }
    case 20: return korvane::Variant(fullName_);
    case 21: return korvane::Variant::i4(content_.type);
    case 22:
        session.save(*this);
        return {};
    case 23: return korvane::Variant(shortName());
    case 52: return korvane::Variant(std::make_shared<PropertySetsObject>(shared_from_this()));
    case 4199: return korvane::Variant(std::make_shared<SheetGroupsObject>(shared_from_this()));
    case 4213:
        noteTitleBlockUpdate();
        return {};
    default: noSuchMember();
    }
}

}  // namespace edgesim
