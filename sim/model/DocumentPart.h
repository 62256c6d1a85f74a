#pragma once
// Base of the objects that live inside a document (sheets, windows, property sets ...): they keep their
// document alive and fail as disconnected once it is closed.
#include <memory>

#include "model/Document.h"

namespace edgesim {

class DocumentPart : public SimObject {
public:
    explicit DocumentPart(std::shared_ptr<Document> document)
        : SimObject(document->session()), document_(std::move(document)) {}

    bool isDisconnected() const override { return !document_->isOpen(); }

protected:
    Document& document() const noexcept { return *document_; }
    const std::shared_ptr<Document>& documentPtr() const noexcept { return document_; }

private:
    std::shared_ptr<Document> document_;
};

}  // namespace edgesim
