#include "core/file_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/messages.h"

namespace tovel {

FileStamp StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                     static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return stamp;
}

FolderLock::FolderLock(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) return;
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(m_fd);
            m_fd = -1;
            return;
        }
    }
}

FolderLock::~FolderLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}

SaveOutcome SaveUnlessChanged(const std::string& path, FileStamp& stamp, UserPort& port,
                              const std::function<FileResult()>& write, std::string* error) {
    bool changed = false;
    {
        const FolderLock lock(path);
        changed = StampOf(path) != stamp;
        if (!changed) {
            const FileResult written = write();
            if (!written) {
                if (error) *error = written.error;
                return SaveOutcome::Failed;
            }
            stamp = StampOf(path);
            return SaveOutcome::Saved;
        }
    }
    // Asked without the lock: the other window must be able to save while this one waits.
    Message question;
    question.caption = "Fichero cambiado";
    question.text = path +
                    " ha cambiado desde que esta ventana lo leyó: otra ventana de tovel u otro "
                    "programa lo ha guardado.\r\nVolver a leerlo pierde los cambios de esta "
                    "ventana; guardar encima pierde los del otro.";
    question.icon = MessageIcon::Exclamation;
    question.buttons = MessageButtons::YesNoCancel;
    question.buttonTexts = {"Volver a leer", "Guardar encima", "Cancelar"};
    question.defaultAnswer = kAnswerCancel;
    switch (port.ShowMessage(question)) {
        case kAnswerYes:
            return SaveOutcome::Reload;
        case kAnswerNo: {
            const FolderLock lock(path);
            const FileResult written = write();
            if (!written) {
                if (error) *error = written.error;
                return SaveOutcome::Failed;
            }
            stamp = StampOf(path);
            return SaveOutcome::Saved;
        }
        default:
            return SaveOutcome::Cancelled;
    }
}

}  // namespace tovel
