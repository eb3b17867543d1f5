#include "FaultInjection.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <thread>
#include <vector>

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace pivlo::test {
namespace {

#if defined(__x86_64__)
constexpr quint32 kArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr quint32 kArch = AUDIT_ARCH_AARCH64;
#else
#error "no seccomp architecture for this machine"
#endif

std::vector<int> CallsOf(FileCall call) {
  if (call == FileCall::Sync) return {SYS_fsync, SYS_fdatasync, SYS_sync_file_range};
#ifdef SYS_rename
  return {SYS_rename, SYS_renameat, SYS_renameat2, SYS_linkat, SYS_link};
#else
  return {SYS_renameat, SYS_renameat2, SYS_linkat};
#endif
}

// A filter that fails the calls with EIO.
std::vector<sock_filter> Filter(FileCall call) {
  const std::vector<int> calls = CallsOf(call);
  const auto count = quint8(calls.size());
  std::vector<sock_filter> program = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
  };
  // Call i jumps over the calls after it and the "allow".
  for (quint8 i = 0; i < count; ++i) {
    program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, quint32(calls[i]), quint8(count - i), 0));
  }
  program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO));
  return program;
}

// The sanitizers write to pipes of their own to probe memory, so writes are not
// filtered: a file size limit fails the writes to files alone.
void RunWithFailingWrites(const std::function<void()>& body) {
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const rlimit none{0, before.rlim_max};
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  if (setrlimit(RLIMIT_FSIZE, &none) != 0) qFatal("cannot limit the file size");
  body();
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
}

}  // namespace

std::string FileCallName(FileCall call) {
  switch (call) {
    case FileCall::Write: return "Write";
    case FileCall::Sync: return "Sync";
    case FileCall::Rename: return "Rename";
  }
  return {};
}

void RunWithFailingCall(FileCall call, const std::function<void()>& body) {
  if (call == FileCall::Write) return RunWithFailingWrites(body);
  std::thread worker([&] {
    std::vector<sock_filter> program = Filter(call);
    const sock_fprog filter{quint16(program.size()), program.data()};
    // Both apply to this thread alone: no flag asks for the whole process.
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &filter) != 0) {
      qFatal("cannot install the system call filter");
    }
    body();
  });
  worker.join();
}

SmallDisk::SmallDisk() {
  mounted_ = mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0, "size=256k") == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

void SmallDisk::Fill() const {
  QFile filler(Path(QStringLiteral("filler")));
  if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) qFatal("cannot fill the small disk");
  const QByteArray block(4096, 'f');
  while (filler.write(block) == block.size()) {
  }
  // What is left is less than a block: fill it byte by byte.
  while (filler.write("f", 1) == 1) {
  }
}

ReadOnlyFolder::ReadOnlyFolder(const QString& path) : path_(path) {
  const QByteArray native = QFile::encodeName(path);
  if (geteuid() == 0) {
    mounted_ = mount(native.constData(), native.constData(), nullptr, MS_BIND, nullptr) == 0;
    if (mounted_ && mount(nullptr, native.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
      umount2(native.constData(), MNT_DETACH);
      mounted_ = false;
    }
  } else {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::ExeOther);
  }
  made_ = !QFileInfo(path).isWritable();
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (mounted_) {
    umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
  } else {
    QFile::setPermissions(path_, QFile::permissions(path_) | QFile::WriteOwner);
  }
}

}  // namespace pivlo::test
