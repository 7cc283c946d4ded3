#pragma once
// A document to project-file bytes and back, as saving and opening do.

#include <gtest/gtest.h>

#include <string>

#include "fw/archive.h"
#include "model/k74x_75x_doc.h"

namespace regsmith::testing {

// The bytes saving `document` writes.
inline std::string ProjectBytes(CK74x_75xDoc& document) {
    fw::CArchive archive;
    document.Serialize(archive);
    return archive.TakeBuffer();
}

// `bytes` read into a fresh document; fails the test if the reader refuses them.
inline CK74x_75xDoc ReadProject(const std::string& bytes) {
    CK74x_75xDoc document(0xD0);
    fw::CArchive archive(bytes);
    try {
        document.Serialize(archive);
    } catch (const fw::ArchiveError& failure) {
        ADD_FAILURE() << "refused: " << failure.what();
    }
    return document;
}

}  // namespace regsmith::testing
