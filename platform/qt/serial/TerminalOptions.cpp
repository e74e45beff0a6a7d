#include "platform/qt/serial/TerminalOptions.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

bool markParityErrors(int fd, bool on) {
    termios options{};
    if (tcgetattr(fd, &options) != 0) {
        return false;
    }
    if (on) {
        // IGNPAR would drop the character instead; ISTRIP would hide the marks' 0xFF.
        options.c_iflag |= INPCK | PARMRK;
        options.c_iflag &= ~static_cast<tcflag_t>(IGNPAR | ISTRIP);
    } else {
        options.c_iflag &= ~static_cast<tcflag_t>(PARMRK);
    }
    return tcsetattr(fd, TCSANOW, &options) == 0 && on;
}

std::string permissionAdvice(const std::string& device) {
    if (access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES) {
        return {};
    }
    struct stat status {};
    const group* owner = stat(device.c_str(), &status) == 0 ? getgrgid(status.st_gid) : nullptr;
    const std::string group = owner ? "the group \"" + std::string(owner->gr_name) + "\""
                                    : "the group that owns the device (usually \"dialout\")";
    return "You may need to be a member of " + group + " to use " + device +
           "; after adding yourself, log in again.";
}
#else
std::string permissionAdvice(const std::string&) {
    return {};
}
#endif
