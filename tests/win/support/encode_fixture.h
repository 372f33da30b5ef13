// What every encode test starts from: a start folder with an encoder as
// oggenc.exe, a WAVE file and an output folder whose names end in a trail
// byte 0x5C, and the stand-in reporting to a file beside them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/windows.h"

namespace bench {

class EncodeFixture : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the encoder program to start_\oggenc.exe and makes root_\<wave>
    // with take1.wav in it and root_\<out>.
    void MakeFolders(const std::string& encoder, const std::string& wave, const std::string& out);
    // Presses "エンコード開始" once it is enabled, without waiting for the job.
    static void Start(const Wendle& wendle);

    std::string root_, start_, wave_, out_, input_;
    EncoderDouble encoder_;
};

}  // namespace bench
