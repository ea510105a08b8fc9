// The mount table the drive list of Linux is read from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/MountTable.h"

TEST(MountTable, OffersTheRootThenTheMountedFileSystemsThatHoldFiles) {
    const std::string table =
        "proc /proc proc rw 0 0\n/dev/sda1 / ext4 rw 0 0\ntmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\nserver:/runs /mnt/share nfs4 rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n/dev/sda2 /home ext4 rw 0 0\noverlay /var/lib/docker/x overlay rw 0 0\n"
        "cgroup /sys/fs/cgroup/cpu cgroup rw 0 0\nbroken line\n";
    EXPECT_EQ(MountTable::Roots(table), (std::vector<std::string>{"/", "/home", "/media/usb stick", "/mnt/share"}));
    EXPECT_EQ(MountTable::Roots(""), std::vector<std::string>{"/"});
}
