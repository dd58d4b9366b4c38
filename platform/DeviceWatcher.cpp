#include "DeviceWatcher.h"

#include <libudev.h>

#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <algorithm>

#include "CDialogEx.h"
#include "DeviceCalls.h"

DeviceWatcher::DeviceWatcher() {
    WatchUdev();
    WatchRecorderFolder();
}

DeviceWatcher::~DeviceWatcher() {
    m_notifier.reset();
    if (m_monitor) udev_monitor_unref(m_monitor);
    if (m_udev) udev_unref(m_udev);
}

void DeviceWatcher::WatchUdev() {
    m_udev = udev_new();
    if (!m_udev) return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor) return;
    udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "usb", nullptr);
    if (udev_monitor_enable_receiving(m_monitor) < 0) return;
    m_notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { OnUdevReadable(); });
}

void DeviceWatcher::OnUdevReadable() {
    bool changed = false;
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const char* action = udev_device_get_action(device);
        const std::string_view what = action ? action : "";
        changed = changed || what == "add" || what == "remove";
        udev_device_unref(device);
    }
    if (changed) BroadcastDeviceChange();
}

// The virtual recorder names a folder whose entries change on attach and detach;
// another protocol library simply lacks it.
void DeviceWatcher::WatchRecorderFolder() {
    const std::string folder = DeviceEventFolder();
    if (folder.empty()) return;
    m_folderWatcher = std::make_unique<QFileSystemWatcher>();
    m_folderWatcher->addPath(QString::fromStdString(folder));
    connect(m_folderWatcher.get(), &QFileSystemWatcher::directoryChanged, this,
            [] { BroadcastDeviceChange(); });
}

void DeviceWatcher::BroadcastDeviceChange() {
    const std::vector<CDialogEx*> snapshot = CDialogEx::AllDialogs();
    for (CDialogEx* dialog : snapshot) {
        // A handler may have destroyed dialogs of the snapshot.
        const std::vector<CDialogEx*> alive = CDialogEx::AllDialogs();
        if (std::find(alive.begin(), alive.end(), dialog) == alive.end()) continue;
        if (dialog->GetParent() == nullptr && dialog->IsWindow()) {
            dialog->SendMessage(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
        }
    }
}
