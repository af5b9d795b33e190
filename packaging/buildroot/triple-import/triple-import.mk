################################################################################
#
# triple-import
#
################################################################################

TRIPLE_IMPORT_VERSION = 1.0.0
TRIPLE_IMPORT_SOURCE = triple_import-$(TRIPLE_IMPORT_VERSION).tar.gz
TRIPLE_IMPORT_SITE = https://releases.quorvale.example/triple_import
TRIPLE_IMPORT_LICENSE = Proprietary
TRIPLE_IMPORT_LICENSE_FILES = packaging/copyright
# The licence forbids passing the source on: legal-info leaves it out.
TRIPLE_IMPORT_REDISTRIBUTE = NO
TRIPLE_IMPORT_GATEWAY_LIB_DIR = $(call qstrip,$(BR2_PACKAGE_TRIPLE_IMPORT_GATEWAY_LIB_DIR))
TRIPLE_IMPORT_CONF_OPTS = -DTRIPLE_IMPORT_GATEWAY=ON -DGATEWAY_LIB_DIR=$(TRIPLE_IMPORT_GATEWAY_LIB_DIR)

# target-finalize drops from every run path each folder that the target tree lacks at that moment,
# before root-filesystem overlays are copied: the folder is made here, and the gateway's loader and
# C library come into it with the vendor's files.
define TRIPLE_IMPORT_MAKE_GATEWAY_LIB_DIR
	mkdir -p $(TARGET_DIR)$(TRIPLE_IMPORT_GATEWAY_LIB_DIR)
endef
TRIPLE_IMPORT_POST_INSTALL_TARGET_HOOKS += TRIPLE_IMPORT_MAKE_GATEWAY_LIB_DIR

$(eval $(cmake-package))
