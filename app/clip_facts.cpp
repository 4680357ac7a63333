#include "app/clip_facts.h"

const char* DescribeTimeSource(ClipTimeSource source) {
  switch (source) {
    case ClipTimeSource::kGps:
      return "gps";
    case ClipTimeSource::kFileTime:
      return "file";
    default:
      return "file, length unknown (60 s)";
  }
}

ClipFacts ReadClipFacts(const std::string& clipPath, const std::string& sidecarPath,
                        int64_t writeTimeUtc) {
  (void)clipPath;
  (void)sidecarPath;
  ClipFacts facts;
  facts.nEnd = writeTimeUtc;
  facts.nStart = writeTimeUtc - kUnknownClipLengthSec;
  return facts;
}
