#pragma once

#include <QString>

#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

namespace device {

// One running app per sandbox, as on a phone. The first start holds a lock
// in the sandbox for as long as it runs (the kernel lets go of it however
// the process ends) and listens for later starts, which only ask it to
// come to the front.
class SingleInstance {
public:
    explicit SingleInstance(const QString& home);
    ~SingleInstance();

    // Takes the sandbox for this process; false when another one has it.
    bool acquire();
    // Asks the process that has the sandbox to show its window.
    bool askToShow() const;
    // Called when a later start asks.
    void setShowHandler(std::function<void()> handler) { show_ = std::move(handler); }

    // The name both sides meet at: short, whatever the sandbox's path.
    static QString serverName(const QString& home);

private:
    void accept();
    void read(int fd);

    QString home_;
    QString name_;
    int lock_ = -1;
    int server_ = -1;
    std::unique_ptr<QSocketNotifier> listener_;
    std::map<int, std::unique_ptr<QSocketNotifier>> clients_;
    std::function<void()> show_;
};

} // namespace device
