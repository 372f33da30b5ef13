// The system's drives, with the labels of some held back: a disk that has
// gone to sleep, a network drive whose server is away. Every other question
// goes to the system.
#pragma once

#include <cstdint>
#include <string>

#include "win/system_drives.h"

namespace bench {

class LateLabelDrives : public wendle::DriveQueries {
  public:
    std::uint32_t LogicalDrives() override { return system_.LogicalDrives(); }
    unsigned DriveType(const std::string& root) override { return system_.DriveType(root); }
    std::string VolumeLabel(const std::string& root) override {
        HoldLabel(root);
        return system_.VolumeLabel(root);
    }
    bool Connection(const std::string& device, std::string* remote) override {
        return system_.Connection(device, remote);
    }
    std::string LowerCase(const std::string& text) override { return system_.LowerCase(text); }
    std::string UpperCase(const std::string& text) override { return system_.UpperCase(text); }

  protected:
    // Asked on the chooser's reading thread before a drive's label is read.
    virtual void HoldLabel(const std::string& root) = 0;

  private:
    wendle::DriveQueries& system_ = wendle::SystemDrives();
};

}  // namespace bench
