#include "model/device_document.h"

#include <ostream>

#include "fw/app.h"
#include "fw/archive.h"
#include "model/catalogue.h"
#include "model/overview.h"
#include "model/project_file.h"

namespace regsmith {

void CDeviceDocument::GetBlock(PeripheralBlock& block, std::int32_t number) {
    auto [position, inserted] = deviceData.blockMap.try_emplace(number);
    if (inserted) position->second.blockNumber = number;
    block = position->second;
}

void CDeviceDocument::SetBlock(const PeripheralBlock& block, std::int32_t number) {
    deviceData.blockMap[number] = block;
}

bool CDeviceDocument::GetOverview(fw::ChipOverview& overview) const {
    BuildOverview({deviceId, &clocks, &deviceData.blockMap}, overview);
    return true;
}
std::string CDeviceDocument::GetModelName() const { return std::string(ModelName(deviceId)); }

std::string CDeviceDocument::ToBytes() {
    fw::CArchive archive;
    Serialize(archive);
    return archive.TakeBuffer();
}

bool CDeviceDocument::OnOpenDocument(const std::string& path) {
    fw::PlatformServices& platform = fw::AfxGetApp()->Platform();
    std::string bytes;
    std::string error;
    if (!fw::ReadWholeFile(path, bytes, error)) {
        platform.MessageBox("Error: Could not open the project file " + path + ": " + error,
                            fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    }
    try {
        fw::CArchive archive(bytes);
        Serialize(archive);
    } catch (const UnsupportedVersionError&) {
        platform.MessageBox(kUnsupportedVersionMessage, fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    } catch (const UnknownModelError& failure) {
        platform.MessageBox("Error: " + path + " is a project of an unknown model: its " +
                                UnknownModelText(failure.deviceId) +
                                ", so it cannot be opened for editing. The file was not changed.",
                            fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    } catch (const NotAProjectFileError& failure) {
        platform.MessageBox("Error: " + path + " is not a Regsmith project file: " + failure.Cause(),
                            fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    } catch (const std::exception& failure) {
        platform.MessageBox("Error: Could not read the project file " + path + ": " + failure.what(),
                            fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    // The template's initial update of the view then shows the generated text.
    return true;
}

bool CDeviceDocument::SaveTo(const std::string& path) {
    std::string error;
    bool couldNotOpen = false;
    if (!fw::WriteFileAtomically(path, ToBytes(), error, &couldNotOpen)) {
        // The message the user knows, and on a line of its own why.
        fw::AfxGetApp()->Platform().MessageBox(couldNotOpen ? std::string("Error: Could Not Open File For Save.\n") +
                                                                  path + ": " + error
                                                            : "Error: Could not save " + path + ": " + error,
                                               fw::MessageIcon::Warning, fw::MessageButtons::Ok);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDeviceDocument::DoSave() {
    if (GetPathName().empty()) return DoSaveAs();
    return SaveTo(GetPathName());
}

bool CDeviceDocument::DoSaveAs() {
    fw::SaveFileRequest request;
    request.defaultExtension = "rsg";
    request.fileName = "Untitled.rsg";
    request.filter = "Regsmith Files (*.rsg)|*.rsg|All Files (*.*)|*.*|";
    std::optional<std::string> path = fw::AfxGetApp()->Platform().SaveFileDialog(request);
    if (!path) return false;
    if (!SaveTo(*path)) return false;
    SetPathName(*path);
    std::size_t slash = path->find_last_of('/');
    SetTitle(slash == std::string::npos ? *path : path->substr(slash + 1));
    fw::AfxGetApp()->AddToRecentFileList(*path);
    return true;
}

bool CDeviceDocument::OnCommand(int id) {
    switch (id) {
        case fw::ID_FILE_SAVE: DoSave(); return true;
        case fw::ID_FILE_SAVE_AS: DoSaveAs(); return true;
        default: return false;
    }
}

bool CDeviceDocument::OnUpdateCommand(int id, fw::CommandState& state) const {
    if (id == fw::ID_FILE_SAVE || id == fw::ID_FILE_SAVE_AS) {
        state.enabled = true;
        return true;
    }
    return false;
}

}  // namespace regsmith
