#pragma once

#include <QByteArray>
#include <QString>

// Game processes confined with Linux's Landlock, where the kernel has it. A game process may read
// and run anything, but write only beneath one folder (and to /dev/null). It opens no socket (a
// system call filter, where the build knows how), and where the kernel can deny them, neither
// signals nor reaches through an abstract socket any process outside its own sandbox: it speaks
// only through its standard input and output.
namespace sandbox {

// Whether this build refuses game processes sockets: where it knows its system calls' architecture.
bool refusesSockets();

// The running kernel's Landlock ABI, from 1 up; 0 where there is none, errno saying why.
int abi();

// The line the server logs once at start: how game processes are confined, or why they are not.
QString summary();

// The rules of one process, made before it starts and taken on in the child, between fork and exec.
class Rules {
  public:
    // Writing beneath `writable` only, or nowhere when it is empty.
    explicit Rules(const QString& writable);
    ~Rules();
    Rules(const Rules&) = delete;
    Rules& operator=(const Rules&) = delete;

    // In the child before it runs the program, so async-signal-safe calls only. Without Landlock
    // only the socket filter applies; a child that cannot take on its rules says so on its standard
    // error and exits with 127, never running the program unconfined.
    void enforce() const;

  private:
    int ruleset_ = -1;
    QByteArray failure_; // why the rules could not be made, the child's last words
};

} // namespace sandbox
