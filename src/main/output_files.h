// The output of one encode as the job found it: a new name, or an old file
// set aside under another name until the new one is written. Either the
// folder is put back as it was, or the job finished and the copy goes.
#pragma once

#include <string>

namespace wendle {

class OutputFiles {
  public:
    // setAside is empty when there was no old file.
    OutputFiles(std::string output, std::string setAside)
        : output_(std::move(output)), setAside_(std::move(setAside)) {}

    // The encoder wrote something under the output's name: an encoder that
    // ends well without writing must not cost the user the old file.
    bool Written() const;
    // After a failure or a stop: the folder as it was before the job. Empty
    // when it is; else what the user must be told. Done once; later calls
    // tell the same.
    std::string PutBack();
    // After a good encode: empty, or what the user must be told.
    std::string Finished() const;

  private:
    std::string output_, setAside_, left_;
    bool putBack_ = false;
};

}  // namespace wendle
