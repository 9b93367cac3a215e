// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The particulars of the power of attorney, in the order the document gives
// them; each is one row of the field catalogue.
enum class Particular {
    City,
    Region,
    Territory,
    MakeModel,
    RegPlate,
    Colour,
    Vin,
    Year,
    EngineNo,
    ChassisNo,
    BodyNo,
    VehiclePassport,
    RegCertificate,
    IssuedBy,
    IssueDate,
    OwnerName,
    OwnerAddress,
    OwnerPassport,
    PassportIssuedBy,
    ProxyName,
    ProxyAddress,
    Validity,
    ValidFrom,
};

constexpr int particularCount = static_cast<int>(Particular::ValidFrom) + 1;
