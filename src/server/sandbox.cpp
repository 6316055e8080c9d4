#include "server/sandbox.h"

#include <QFile>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/landlock.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

// Rights of later kernels than older headers know; the kernel never changes their values.
#ifndef LANDLOCK_ACCESS_FS_TRUNCATE
#define LANDLOCK_ACCESS_FS_TRUNCATE (1ULL << 14)
#endif
#ifndef LANDLOCK_ACCESS_NET_BIND_TCP
#define LANDLOCK_ACCESS_NET_BIND_TCP (1ULL << 0)
#define LANDLOCK_ACCESS_NET_CONNECT_TCP (1ULL << 1)
#endif
#ifndef LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET
#define LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET (1ULL << 0)
#define LANDLOCK_SCOPE_SIGNAL (1ULL << 1)
#endif

namespace sandbox {
namespace {

// The architecture of this build's system calls, which a system call filter must check lest a
// process make the same calls under another's numbers; 0 where this build does not know it.
#if defined(__x86_64__) && defined(__LP64__)
constexpr __u32 kArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr __u32 kArchitecture = AUDIT_ARCH_AARCH64;
#elif defined(__i386__)
constexpr __u32 kArchitecture = AUDIT_ARCH_I386;
#elif defined(__arm__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr __u32 kArchitecture = AUDIT_ARCH_ARM;
#elif defined(__powerpc64__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr __u32 kArchitecture = AUDIT_ARCH_PPC64LE;
#elif defined(__s390x__)
constexpr __u32 kArchitecture = AUDIT_ARCH_S390X;
#elif defined(__riscv) && __riscv_xlen == 64
constexpr __u32 kArchitecture = AUDIT_ARCH_RISCV64;
#else
constexpr __u32 kArchitecture = 0;
#endif

constexpr __u32 kRefuse = SECCOMP_RET_ERRNO | EACCES;

// A system call filter that refuses every socket: Landlock denies TCP at most, while a Unix
// socket's file would reach the server's admin socket or a database's, and UDP anywhere. It refuses
// io_uring too, which makes sockets of its own, and any call under another architecture's numbers
// or x32's.
const sock_filter kNoSockets[] = {
    BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArchitecture, 1, 0),
    BPF_STMT(BPF_RET | BPF_K, kRefuse),
    BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
    BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, 0x40000000, 0, 1),
    BPF_STMT(BPF_RET | BPF_K, kRefuse),
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socket, 0, 1),
    BPF_STMT(BPF_RET | BPF_K, kRefuse),
#ifdef __NR_socketcall
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socketcall, 0, 1),
    BPF_STMT(BPF_RET | BPF_K, kRefuse),
#endif
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_setup, 0, 1),
    BPF_STMT(BPF_RET | BPF_K, kRefuse),
    BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
};

// Async-signal-safe, as enforce() must be.
bool refuseSockets() {
    const sock_fprog program{sizeof kNoSockets / sizeof kNoSockets[0],
                             const_cast<sock_filter*>(kNoSockets)};
    return kArchitecture == 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program, 0, 0) == 0;
}

// The kernel's struct landlock_ruleset_attr of ABI 6, whose later fields older headers lack. A
// kernel of an older ABI takes it as long as the fields it does not know are zero.
struct RulesetAttr {
    __u64 handledAccessFs;
    __u64 handledAccessNet;
    __u64 scoped;
};

// What the rules decide on, as far as the ABI reaches: every right that writes, makes, removes,
// renames or truncates files; TCP; signals and abstract sockets leaving the sandbox. Reading and
// running stay free.
RulesetAttr handled(int abi) {
    RulesetAttr attr{LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_DIR |
                         LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_CHAR |
                         LANDLOCK_ACCESS_FS_MAKE_DIR | LANDLOCK_ACCESS_FS_MAKE_REG |
                         LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_MAKE_FIFO |
                         LANDLOCK_ACCESS_FS_MAKE_BLOCK | LANDLOCK_ACCESS_FS_MAKE_SYM,
                     0, 0};
    if (abi >= 2)
        attr.handledAccessFs |= LANDLOCK_ACCESS_FS_REFER;
    if (abi >= 3)
        attr.handledAccessFs |= LANDLOCK_ACCESS_FS_TRUNCATE;
    if (abi >= 4)
        attr.handledAccessNet = LANDLOCK_ACCESS_NET_BIND_TCP | LANDLOCK_ACCESS_NET_CONNECT_TCP;
    if (abi >= 6)
        attr.scoped = LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET | LANDLOCK_SCOPE_SIGNAL;
    return attr;
}

QString unavailable(int error) {
    switch (error) {
    case ENOSYS:
        return QStringLiteral("the kernel has no Landlock (Linux 5.13 and later have it)");
    case EOPNOTSUPP:
        return QStringLiteral("Landlock is off (the kernel's lsm= boot option lacks it)");
    case EPERM:
        return QStringLiteral("a system call filter refuses Landlock's calls");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Grants the rights beneath a folder, or on a file; false with errno set when it cannot.
bool allow(int ruleset, const QString& path, __u64 rights) {
    landlock_path_beneath_attr beneath{};
    beneath.allowed_access = rights;
    beneath.parent_fd = open(QFile::encodeName(path).constData(), O_PATH | O_CLOEXEC);
    if (beneath.parent_fd < 0)
        return false;
    const bool added =
        syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &beneath, 0) == 0;
    const int error = errno;
    close(beneath.parent_fd);
    errno = error;
    return added;
}

void die(const char* text, size_t size) {
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text, size);
    _exit(127);
}

} // namespace

bool refusesSockets() {
    return kArchitecture != 0;
}

int abi() {
    const long version =
        syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    return version > 0 ? static_cast<int>(version) : 0;
}

QString summary() {
    const int version = abi();
    if (version == 0)
        return QStringLiteral("game processes run without a sandbox: ") + unavailable(errno);
    return QStringLiteral("game processes may write only their player's folder (Landlock ABI %1)")
        .arg(version);
}

Rules::Rules(const QString& writable) {
    const int version = abi();
    if (version == 0)
        return;
    const RulesetAttr attr = handled(version);
    const auto fail = [this](const QString& what) {
        failure_ = QStringLiteral("vexmoor-server: a game process cannot be confined: %1: %2\n")
                       .arg(what, QString::fromLocal8Bit(std::strerror(errno)))
                       .toLocal8Bit();
    };
    ruleset_ = static_cast<int>(syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0));
    if (ruleset_ < 0)
        fail(QStringLiteral("its rules"));
    else if (!allow(ruleset_, QStringLiteral("/dev/null"),
                    attr.handledAccessFs &
                        (LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_TRUNCATE)))
        fail(QStringLiteral("/dev/null"));
    else if (!writable.isEmpty() && !allow(ruleset_, writable, attr.handledAccessFs))
        fail(writable);
}

Rules::~Rules() {
    if (ruleset_ >= 0)
        close(ruleset_);
}

void Rules::enforce() const {
    static constexpr char kRefused[] = "vexmoor-server: a game process cannot enter its sandbox\n";
    if (!failure_.isEmpty())
        die(failure_.constData(), static_cast<size_t>(failure_.size()));
    // The socket filter stands on its own: a kernel without Landlock still takes it.
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        (ruleset_ >= 0 && syscall(SYS_landlock_restrict_self, ruleset_, 0) != 0) ||
        !refuseSockets())
        die(kRefused, sizeof kRefused - 1);
}

} // namespace sandbox
