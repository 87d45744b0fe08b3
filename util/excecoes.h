// Exception types of the fiscal-document component, shared by every folder.
#pragma once

#include <stdexcept>
#include <string>

// The component's error type: carries a Portuguese message, stored unchanged.
class ENivraDFeException : public std::runtime_error {
 public:
  explicit ENivraDFeException(const std::string& msg) : std::runtime_error(msg) {}
};

// Raised by the NF-e services and their container.
class ENivraNFeException : public ENivraDFeException {
 public:
  using ENivraDFeException::ENivraDFeException;
};

// Raised when a certificate does not allow exporting its private key.
class ENivraDFeExceptionNoPrivateKey : public ENivraDFeException {
 public:
  using ENivraDFeException::ENivraDFeException;
};
