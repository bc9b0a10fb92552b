#pragma once
// CurveState: the main window's one record of the current curve.
//
// Every field is a double and 0 when the record is created. SJ fills the
// inputs, YS the elements and main points; after that the record is a value
// that station lookups only read (see centreline.h). Lengths in metres,
// angles in decimal degrees.

namespace tarvelo {

struct CurveState {
    // Inputs (SJ).
    double X = 0, Y = 0;      // coordinates of JD: X northing, Y easting
    double JD = 0;            // station of JD
    double R = 0;             // radius
    double Ls1 = 0, Ls2 = 0;  // entry / exit spiral lengths, 0 = no spiral
    double alpha = 0;         // deflection angle, signed: right +, left -
    double F = 0;             // azimuth of the first tangent towards JD

    double L = 0;  // total curve length ZH -> HZ

    double X_ZH = 0, Y_ZH = 0;  // coordinates of ZH
    double X_HZ = 0, Y_HZ = 0;  // coordinates of HZ
    double p1 = 0, q1 = 0;      // shift and tangent increment, entry spiral

    // Main-point stations.
    double ZH = 0, HYStation = 0, QZ = 0, YHStation = 0, HZ = 0;

    double FZH = 0;  // back azimuth of the first tangent, from ZH away from JD
    double F2 = 0;   // azimuth of the second tangent, increasing station
    double E = 0;    // external distance
    double Ly = 0;   // circular arc length (negative when the spirals overlap)
    double p2 = 0, q2 = 0;          // shift and tangent increment, exit spiral
    double betao1 = 0, betao2 = 0;  // spiral angles in decimal degrees
    double T1 = 0, T2 = 0;          // tangent lengths JD -> ZH, JD -> HZ
};

}  // namespace tarvelo
