// One record per recognised sidecar line.
#pragma once

#include <cstdint>
#include <string>

namespace nsNMEA {

enum : int32_t { kKindGSensor = 1, kKindSpeed = 3, kKindPosition = 4, kKindAltitude = 5 };
enum : int32_t { kStatusCreated = 0, kStatusParsed = 1, kStatusWrongFieldCount = 3 };

class CNmeaCmdBase {
 public:
  explicit CNmeaCmdBase(int32_t kind) : nKind(kind) {}
  virtual ~CNmeaCmdBase() = default;
  CNmeaCmdBase(const CNmeaCmdBase&) = delete;
  CNmeaCmdBase& operator=(const CNmeaCmdBase&) = delete;

  int32_t nKind;
  int32_t nStatus = kStatusCreated;
};

// "$GSENSOR": acceleration in thousandths of g.
class CNmeaCmdGSENSOR : public CNmeaCmdBase {
 public:
  CNmeaCmdGSENSOR() : CNmeaCmdBase(kKindGSensor) {}
  int32_t nSampleNo = -1;  // -1 when the line carries no sample number
  int32_t nX = 0;
  int32_t nY = 0;
  int32_t nZ = 0;
};

// "SPEED": pulse counts of the vehicle speed signal.
class CNmeaCmdSPEED : public CNmeaCmdBase {
 public:
  CNmeaCmdSPEED() : CNmeaCmdBase(kKindSpeed) {}
  int32_t nSequence = 0;
  int32_t nPulseCount = 0;
};

// "$GPRMC": position, speed and course of one second.
class CNmeaCmdGPRMC : public CNmeaCmdBase {
 public:
  CNmeaCmdGPRMC() : CNmeaCmdBase(kKindPosition) {}
  bool bFix = false;
  double dLatitude = 0.0;  // signed decimal degrees
  bool bNorth = false;
  double dLongitude = 0.0;
  bool bEast = false;
  double dSpeed = 0.0;   // km/h
  double dCourse = 0.0;  // degrees
  std::string strLatitude;
  std::string strLongitude;
  std::string strSpeed;
  std::string strCourse;
};

// "$GPGGA": altitude in metres.
class CNmeaCmdGPGGA : public CNmeaCmdBase {
 public:
  CNmeaCmdGPGGA() : CNmeaCmdBase(kKindAltitude) {}
  double dAltitude = 0.0;
  std::string strAltitude;
};

}  // namespace nsNMEA
