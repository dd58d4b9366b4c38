#pragma once

#include <QObject>
#include <memory>

class QFileSystemWatcher;
class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells the top-level dialogs that device nodes changed (WM_DEVICECHANGE with
// DBT_DEVNODES_CHANGED): on every USB device added or removed, as udev reports
// it, and on every attach or detach of the virtual recorder.
class DeviceWatcher : public QObject {
public:
    DeviceWatcher();
    ~DeviceWatcher() override;

    // Sends the device-change message to every top-level dialog.
    static void BroadcastDeviceChange();

private:
    void WatchUdev();
    void WatchRecorderFolder();
    void OnUdevReadable();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<QFileSystemWatcher> m_folderWatcher;
};
