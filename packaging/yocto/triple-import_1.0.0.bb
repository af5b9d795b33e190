# Yocto recipe of triple_import: copy it into a layer as recipes-support/triple-import/.
SUMMARY = "Store a file of device triples in the gateway's configuration manager"
DESCRIPTION = "triple_import stores a triple file's devices in the gateway's configuration \
manager with one set_config call through dbus-send; triple_check says beforehand what would be \
refused or stored wrong."
LICENSE = "Proprietary"
LIC_FILES_CHKSUM = "file://packaging/copyright;md5=08871f25e8fcbc0e74d74c13a6f2caf7"

SRC_URI = "https://releases.quorvale.example/triple_import/triple_import-${PV}.tar.gz"
# sha256sum of the published tarball, set when the release is published
SRC_URI[sha256sum] = ""
S = "${WORKDIR}/triple_import-${PV}"

inherit cmake

EXTRA_OECMAKE = "-DTRIPLE_IMPORT_GATEWAY=ON"

# The binary loads through glibc's loader in the gateway's own tree.
COMPATIBLE_HOST = "arm.*-linux.*"
COMPATIBLE_HOST:libc-musl = "null"

RDEPENDS:${PN} = "dbus-tools"
